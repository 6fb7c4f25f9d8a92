# The test executable of src/shell.
lumora_test(test_shell
  ${CMAKE_CURRENT_LIST_DIR}/tst_fitscreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_screens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_hub.cpp)
