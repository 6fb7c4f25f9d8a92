# The test executable of src/worksheets.
lumora_test(test_worksheets
  ${CMAKE_CURRENT_LIST_DIR}/tst_catalogue.cpp)
