# The test executable of src/worksheets.
lumora_test(test_worksheets
  ${CMAKE_CURRENT_LIST_DIR}/tst_worksheets.cpp)

# A second program that saves into the same folder, to run beside a test or be killed.
add_executable(lumora_savehelper ${CMAKE_CURRENT_LIST_DIR}/savehelper.cpp)
target_link_libraries(lumora_savehelper PRIVATE lumora_testing)
target_compile_definitions(test_worksheets PRIVATE LUMORA_SAVEHELPER="$<TARGET_FILE:lumora_savehelper>")
add_dependencies(test_worksheets lumora_savehelper)
