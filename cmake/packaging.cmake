# The MIME type for *.gbc and the Debian package (cpack -G DEB).
install(FILES ${PROJECT_SOURCE_DIR}/data/tivok-mime.xml
        DESTINATION share/mime/packages RENAME tivok.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivok)
set(CPACK_PACKAGE_VENDOR "The Tivok developers")
set(CPACK_PACKAGE_CONTACT "The Tivok developers <tivok@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Store inventory editor for Dragon Warrior Monsters cartridge images")
set(CPACK_PACKAGE_DESCRIPTION
    "Tivok edits the item slots of the five in-game stores in a Game Boy Color cartridge image, one byte at a time, in place.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps declares the Qt 6 and C++ runtime libraries the binary uses.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
# Windows and macOS: a ZIP archive of the program and its Qt libraries, and
# a disk image to drag the app bundle from.
if(WIN32)
  set(CPACK_GENERATOR ZIP)
elseif(APPLE)
  set(CPACK_GENERATOR DragNDrop)
endif()
include(CPack)
