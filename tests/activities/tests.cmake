# The test executable of src/activities.
lumora_test(test_activities ${CMAKE_CURRENT_LIST_DIR}/tst_activities.cpp)
