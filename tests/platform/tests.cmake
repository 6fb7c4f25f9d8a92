# The test executable of src/platform.
lumora_test(test_platform
  ${CMAKE_CURRENT_LIST_DIR}/tst_codepage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_numtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_random.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_places.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_seqfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_services.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_metafile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_printer.cpp)
