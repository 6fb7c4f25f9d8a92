# Sources of src/worksheets, the library of its floor.
target_sources(lumora_worksheets PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/worksheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wizard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/worksheets.cpp
)
