# How Lumora installs and packages: the program in bin, its content in share/lumora,
# and what a desktop needs to list it (the menu entry, the software-centre entry,
# the icons, the manual page). Nothing of the tests, the tools or the content's
# sources is installed.
include(GNUInstallDirs)

set(LUMORA_PACKAGING ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS lumora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The content as the program reads it. The empty catalogue is not installed: each
# user's own is made on the first start, and the installed tree is never written.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lumora
        PATTERN track.txt EXCLUDE)

install(FILES ${LUMORA_PACKAGING}/${LUMORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${LUMORA_PACKAGING}/${LUMORA_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${LUMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${LUMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(DIRECTORY ${LUMORA_PACKAGING}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

configure_file(${LUMORA_PACKAGING}/lumora.1.in ${PROJECT_BINARY_DIR}/lumora.1 @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/lumora.1.gz
                   COMMAND gzip -9n -c ${PROJECT_BINARY_DIR}/lumora.1 > ${PROJECT_BINARY_DIR}/lumora.1.gz
                   DEPENDS ${PROJECT_BINARY_DIR}/lumora.1 VERBATIM)
add_custom_target(lumora_manpage ALL DEPENDS ${PROJECT_BINARY_DIR}/lumora.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/lumora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumora)
set(CPACK_PACKAGE_VENDOR Brenvale)
set(CPACK_PACKAGE_CONTACT "Brenvale <lumora@brenvale.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "school mathematics: pages, quizzes, drills and worksheets")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Lumora is a mathematics package for pupils of about eleven and their teachers. "
    "Pupils read illustrated Key Facts pages about two mathematicians, take "
    "ten-question quizzes and work drills and a riddle; teachers write their own "
    "worksheets and keep them in a catalogue.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.brenvale.example/)
# The Qt libraries are found by dpkg-shlibdeps; Qt's window-system plugins and the
# fonts that stand in for the designed ones are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
