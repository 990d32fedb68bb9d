# Installation and the Debian package:
#   cmake --install build --prefix /usr      (or any prefix)
#   cd build && cpack -G DEB                 -> traxilo_<version>_amd64.deb
# The version is the project's (top CMakeLists.txt); everything below that
# names it (about box, --version, metainfo, man page, changelog) takes it from there.

# Facts about the project, written into the desktop files and the package.
# The home page, the maintainer and the licence are not settled yet: change
# them here, once.
set(TRAXILO_APP_ID "org.traxilo.Traxilo")
set(TRAXILO_HOMEPAGE "https://traxilo.example.org")
set(TRAXILO_DEVELOPER "Les développeurs de Traxilo")
set(TRAXILO_MAINTAINER "Traxilo <traxilo@example.org>")
set(TRAXILO_COPYRIGHT "2026 Les développeurs de Traxilo")
set(TRAXILO_LICENSE "unspecified")
set(TRAXILO_LICENSE_TEXT " The authors have not published Traxilo under a licence yet.")
# The day this version was released; also the man page's and the changelog's date.
set(TRAXILO_RELEASE_DATE "2026-12-08")
set(TRAXILO_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")

target_compile_definitions(traxilo PRIVATE TRAXILO_APP_ID="${TRAXILO_APP_ID}")

include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(linux_dir ${CMAKE_SOURCE_DIR}/packaging/linux)
set(icons_dir ${CMAKE_SOURCE_DIR}/packaging/icons)
set(generated ${CMAKE_BINARY_DIR}/packaging)

configure_file(${linux_dir}/traxilo.desktop.in ${generated}/${TRAXILO_APP_ID}.desktop @ONLY)
configure_file(${linux_dir}/traxilo.metainfo.xml.in
               ${generated}/${TRAXILO_APP_ID}.metainfo.xml @ONLY)
configure_file(${linux_dir}/traxilo.1.in ${generated}/traxilo.1 @ONLY)
configure_file(${linux_dir}/changelog.in ${generated}/changelog @ONLY)
configure_file(${linux_dir}/copyright.in ${generated}/copyright @ONLY)

# Debian wants the man page and the changelog compressed, without a time
# stamp in the gzip header so that two builds give the same package.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(name traxilo.1 changelog)
  add_custom_command(OUTPUT ${generated}/${name}.gz
    COMMAND ${GZIP_PROGRAM} -9nc ${generated}/${name} > ${generated}/${name}.gz
    DEPENDS ${generated}/${name} VERBATIM)
endforeach()
add_custom_target(packaging_files ALL
  DEPENDS ${generated}/traxilo.1.gz ${generated}/changelog.gz)

install(TARGETS traxilo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/demo/chute_libre.avi DESTINATION ${CMAKE_INSTALL_DATADIR}/traxilo)
install(FILES ${generated}/${TRAXILO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${TRAXILO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${linux_dir}/traxilo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME traxilo.xml)
install(FILES ${icons_dir}/traxilo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 128 256)
  install(FILES ${icons_dir}/traxilo-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME traxilo.png)
endforeach()
install(FILES ${generated}/traxilo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/traxilo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME traxilo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TRAXILO_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video pointing for physics teaching")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TRAXILO_HOMEPAGE})
# The libraries really linked give the dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's French texts for its own dialogs; Tango pictures for the tool buttons
# (the program draws its own otherwise).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, tango-icon-theme")
# CPack puts the summary first and indents these lines, an empty one
# standing for a new paragraph.
set(CPACK_PACKAGE_DESCRIPTION
    "Traxilo measures the motion of a filmed object. Open a video clip,
calibrate the picture (two points a known distance apart, an origin and
the axis directions), click frame after frame on the positions of one to
nine points, and read the table of t, x, y in metres, with the trajectory
and the axes drawn over the clip.

The table can be saved for Regressi (.rw3, .rrr) or as text, copied to the
clipboard or printed to scale. The user interface is in French.")
include(CPack)
