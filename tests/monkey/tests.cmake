# The monkey: random use of the whole program (long under the sanitizers, short here).
lumora_test(test_monkey ${CMAKE_CURRENT_LIST_DIR}/tst_monkey.cpp)
set_tests_properties(test_monkey PROPERTIES TIMEOUT 900)
