# The installed program and its package, tested as a school's technician meets them:
# a real install into a prefix, the desktop's validators, and the Debian package.
add_test(NAME install
  COMMAND ${PROJECT_SOURCE_DIR}/tests/common/desktop.sh /usr/bin/python3
          ${CMAKE_CURRENT_LIST_DIR}/installed.py ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
add_test(NAME package COMMAND ${CMAKE_CURRENT_LIST_DIR}/package.sh ${PROJECT_BINARY_DIR})
# Both need the program built and install into folders of their own.
set_tests_properties(install package PROPERTIES TIMEOUT 300)
# One virtual desktop at a time, as for the screen-reader test.
set_tests_properties(install PROPERTIES RESOURCE_LOCK desktop)
