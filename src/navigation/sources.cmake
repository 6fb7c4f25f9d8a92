# Sources of src/navigation (title, backdrop, menu, hubs), the library of its floor.
target_sources(lumora_navigation PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/grey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hub.cpp
  ${CMAKE_CURRENT_LIST_DIR}/intro0.cpp
  ${CMAKE_CURRENT_LIST_DIR}/titlefrm.cpp
)
