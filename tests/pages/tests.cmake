# The test executable of src/pages.
lumora_test(test_pages
  ${CMAKE_CURRENT_LIST_DIR}/tst_viewers.cpp)
# The same at twice the density, as on a large display.
add_test(NAME test_pages_2x COMMAND test_pages)
set_tests_properties(test_pages_2x PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;LUMORA_DATA=${PROJECT_SOURCE_DIR}/data"
  TIMEOUT 300)
