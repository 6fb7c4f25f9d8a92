# The test executable of src/shell.
lumora_test(test_shell ${CMAKE_CURRENT_LIST_DIR}/tst_screens.cpp)
