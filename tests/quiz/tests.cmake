# The test executable of src/quiz.
lumora_test(test_quiz
  ${CMAKE_CURRENT_LIST_DIR}/tst_questionfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_printouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tst_quizroad.cpp)
