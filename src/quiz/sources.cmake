# Sources of src/quiz, added to the core library.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/questionfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scoring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/multiple.cpp
  ${CMAKE_CURRENT_LIST_DIR}/welldone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wrong.cpp
)
