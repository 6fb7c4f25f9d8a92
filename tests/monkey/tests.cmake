# The monkey: random use of the whole program (long under the sanitizers, short here).
lumora_test(test_monkey ${CMAKE_CURRENT_LIST_DIR}/tst_monkey.cpp)
target_include_directories(test_monkey PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../worksheets)
set_tests_properties(test_monkey PROPERTIES TIMEOUT 900)
