# Sources of src/navigation (title, backdrop, menu, hubs), added to the core library.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/grey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hub.cpp
  ${CMAKE_CURRENT_LIST_DIR}/intro0.cpp
  ${CMAKE_CURRENT_LIST_DIR}/titlefrm.cpp
)
