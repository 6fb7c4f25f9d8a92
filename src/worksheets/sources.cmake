# Sources of src/worksheets, added to the core library.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp
)
