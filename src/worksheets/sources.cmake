# Sources of src/worksheets, added to the core library.
target_sources(lumora_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/worksheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wizard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/worksheets.cpp
)
