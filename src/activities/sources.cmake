# Sources of src/activities, the library of its floor.
target_sources(lumora_activities PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/generators.cpp
  ${CMAKE_CURRENT_LIST_DIR}/riddle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drillframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/triangular.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decmult.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decimals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tibpuz.cpp
)
