# Sources of src/shell, the library of its floor.
target_sources(lumora_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buttonlabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fitscreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls.cpp
)
