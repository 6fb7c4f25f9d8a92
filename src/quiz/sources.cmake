# Sources of src/quiz, the library of its floor.
target_sources(lumora_quiz PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/questionfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scoring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/multiple.cpp
  ${CMAKE_CURRENT_LIST_DIR}/welldone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wrong.cpp
)
