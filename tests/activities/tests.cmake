# The test executable of src/activities.
lumora_test(test_activities
  ${CMAKE_CURRENT_LIST_DIR}/tst_generators.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_tibpuz.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_drills.cpp)
