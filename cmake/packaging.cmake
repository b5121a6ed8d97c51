# The desktop integration files and the Debian package (cpack -G DEB).
#
# On Linux, `cmake --install` and the package install the program and
# tivok-cli with the desktop entry, icons, AppStream metainfo, manual pages,
# licence and changelog, all under the ID below, and tivok-cli's bash
# completion.
set(TIVOK_DESKTOP_ID org.example.tivok)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  include(GNUInstallDirs)
  set(data ${PROJECT_SOURCE_DIR}/data)

  install(FILES ${data}/${TIVOK_DESKTOP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${data}/${TIVOK_DESKTOP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${data}/tivok.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${TIVOK_DESKTOP_ID}.svg)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${data}/icons/tivok-${size}.png
            DESTINATION
              ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TIVOK_DESKTOP_ID}.png)
  endforeach()

  # bash-completion loads it on demand by the command's name.
  install(FILES ${data}/tivok-cli.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME tivok-cli)

  # The manual page and the changelog, compressed as Debian wants them:
  # highest compression, no name or time stamp inside.
  find_program(GZIP_PROGRAM gzip REQUIRED)
  set(gzipped)
  foreach(pair "tivok.1:tivok.1.gz" "tivok-cli.1:tivok-cli.1.gz"
               "changelog:changelog.gz")
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(
      OUTPUT ${PROJECT_BINARY_DIR}/${target}
      COMMAND ${GZIP_PROGRAM} -9nc ${data}/${source} >
              ${PROJECT_BINARY_DIR}/${target}
      DEPENDS ${data}/${source}
      VERBATIM)
    list(APPEND gzipped ${PROJECT_BINARY_DIR}/${target})
  endforeach()
  add_custom_target(tivok_docs ALL DEPENDS ${gzipped})
  install(FILES ${PROJECT_BINARY_DIR}/tivok.1.gz
                ${PROJECT_BINARY_DIR}/tivok-cli.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # The package's name, not the project's (CMAKE_INSTALL_DOCDIR).
  set(docdir ${CMAKE_INSTALL_DATADIR}/doc/tivok)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${docdir})
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${docdir}
          RENAME copyright)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivok)
set(CPACK_PACKAGE_VENDOR "The Tivok developers")
set(CPACK_PACKAGE_CONTACT "The Tivok developers <tivok@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Store inventory editor for Dragon Warrior Monsters cartridge images")
# Lines of at most 80 characters, as Debian's policy asks.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tivok edits the item slots of the five in-game stores in a Game Boy\n"
    "Color cartridge image of Dragon Warrior Monsters. Pick a store, a slot\n"
    "and a new item and press Save: Tivok writes that one item-code byte\n"
    "into the image in place, and never writes anything else.\n"
    "tivok-cli lists and changes the stores from a terminal or a script,\n"
    "and applies a whole shop layout kept in a CSV file.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps declares the Qt 6 and C++ runtime libraries the binary uses.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
# Control files 0644 whatever the umask; scripts/package runs cpack with a
# umask of 022 for the folders.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Windows: a ZIP archive, tivok-VERSION-windows-x86_64.zip, that holds a
# folder of that name with the two programs, the README as text, the
# licence and, for a Qt linked into the program, Qt's licences and where its
# source is to be had (qt/README.txt).
if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  find_package(Qt6 REQUIRED COMPONENTS Core)
  get_target_property(TIVOK_QT_TYPE Qt6::Core TYPE)
  # scripts/build-windows-qt keeps the licences in the Qt it installs
  # (Qt6_DIR is its lib/cmake/Qt6), with the version of Debian's source
  # package that it was built from.
  get_filename_component(qt_licenses ${Qt6_DIR}/../../../licenses ABSOLUTE)
  if(TIVOK_QT_TYPE STREQUAL "STATIC_LIBRARY" AND
     EXISTS ${qt_licenses}/debian-source-version)
    file(STRINGS ${qt_licenses}/debian-source-version TIVOK_QT_SOURCE_VERSION)
    set(TIVOK_QT_VERSION ${Qt6Core_VERSION})
    configure_file(${PROJECT_SOURCE_DIR}/data/windows-qt-notice.txt.in
                   qt-notice.txt @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/qt-notice.txt DESTINATION qt
            RENAME README.txt)
    install(FILES ${qt_licenses}/LGPL-3.0-only.txt
                  ${qt_licenses}/GPL-3.0-only.txt
                  ${qt_licenses}/GPL-2.0-only.txt
            DESTINATION qt)
    install(FILES ${qt_licenses}/copyright DESTINATION qt
            RENAME copyright.txt)
  elseif(TIVOK_QT_TYPE STREQUAL "STATIC_LIBRARY")
    message(WARNING "Qt is linked statically, but its licences are not in "
                    "${qt_licenses}: the ZIP will lack them")
  endif()
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64)$")
    set(CPACK_PACKAGE_FILE_NAME tivok-${PROJECT_VERSION}-windows-x86_64)
  endif()
elseif(APPLE)
  set(CPACK_GENERATOR DragNDrop)
endif()
include(CPack)
