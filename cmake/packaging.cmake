# The desktop entry and icon, and the Debian package (cpack -G DEB).
# The programs and the reader library install themselves (app/, readerlib/):
#   <prefix>/bin/portelia, <prefix>/bin/portelia-card,
#   <prefix>/lib/portelia/readers/libportelia-reader.so
if(WIN32 OR NOT TARGET portelia)
  return()
endif()

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging_dir}/portelia.desktop DESTINATION share/applications)
install(FILES ${packaging_dir}/portelia-32.png DESTINATION share/icons/hicolor/32x32/apps RENAME portelia.png)
install(FILES ${packaging_dir}/portelia-128.png DESTINATION share/icons/hicolor/128x128/apps RENAME portelia.png)

set(CPACK_PACKAGE_NAME portelia)
set(CPACK_PACKAGE_VENDOR "portelia")
set(CPACK_PACKAGE_CONTACT "portelia maintainers <portelia@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop time clock for contactless FeliCa cards")
set(CPACK_PACKAGE_DESCRIPTION
    "People touch their own card to a card reader; portelia switches them in or out, logs the movement, shows who is in and answers with a sound. Japanese user interface.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/portelia")
# Libraries the binaries link come from dpkg-shlibdeps; what they load at
# run time (the window system plugins, the Japanese fonts) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk, fonts-ipafont-mincho | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pcscd")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
