# The test executable of src/navigation.
lumora_test(test_navigation ${CMAKE_CURRENT_LIST_DIR}/tst_navigation.cpp)

# No include runs from a lower folder of src/ to a higher one.
add_test(NAME include_layers
  COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/src -P ${PROJECT_SOURCE_DIR}/scripts/check-layers.cmake)

# The program read as a screen reader reads it, over the AT-SPI bus of a desktop of its
# own. Debian's python3 holds pyatspi (scripts/test.sh installs it).
add_test(NAME screen_reader
  COMMAND ${PROJECT_SOURCE_DIR}/tests/common/desktop.sh /usr/bin/python3
          ${CMAKE_CURRENT_LIST_DIR}/screenreader.py $<TARGET_FILE:lumora> ${PROJECT_SOURCE_DIR}/data)
set_tests_properties(screen_reader PROPERTIES TIMEOUT 120 RESOURCE_LOCK desktop)
