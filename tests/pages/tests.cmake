# The test executable of src/pages.
lumora_test(test_pages
  ${CMAKE_CURRENT_LIST_DIR}/tst_pagenames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_viewers.cpp)
