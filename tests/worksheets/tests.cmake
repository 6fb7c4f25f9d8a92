# The test executable of src/worksheets.
lumora_test(test_worksheets
  ${CMAKE_CURRENT_LIST_DIR}/tst_catalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_worksheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_wizard.cpp)
