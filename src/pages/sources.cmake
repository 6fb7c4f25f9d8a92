# Sources of src/pages, the library of its floor.
target_sources(lumora_pages PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pagenames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pageviewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/teacher.cpp
)
