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

# The program on a Wayland compositor (weston, headless): beside XWayland, alone, and
# drawn to fill a projector's display.
add_test(NAME compositor_xwayland COMMAND ${PROJECT_SOURCE_DIR}/tests/common/desktop.sh --xwayland
         /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/compositors.py xwayland ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
add_test(NAME compositor_wayland COMMAND ${PROJECT_SOURCE_DIR}/tests/common/desktop.sh --wayland
         /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/compositors.py wayland ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
add_test(NAME compositor_fill COMMAND ${PROJECT_SOURCE_DIR}/tests/common/desktop.sh --xwayland
         /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/compositors.py fill ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
# And on an X11 desktop whose window manager frames a window after it is shown.
add_test(NAME compositor_openbox COMMAND ${PROJECT_SOURCE_DIR}/tests/common/desktop.sh
         /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/compositors.py openbox ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(compositor_xwayland compositor_wayland compositor_fill compositor_openbox PROPERTIES
                     TIMEOUT 180 RESOURCE_LOCK desktop)
set_tests_properties(compositor_fill PROPERTIES ENVIRONMENT LUMORA_DESKTOP_SIZE=1920x1080)
