# Sources of src/pages, added to the core library.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pagenames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pageviewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/teacher.cpp
)
