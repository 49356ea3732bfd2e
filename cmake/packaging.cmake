# Install and package:
#   cmake --install build --prefix P     P/bin/trundlebop, the game files in P/share/trundlebop,
#                                        desktop entry, icons, AppStream data and manual page
#   (cd build && cpack -G DEB)           a Debian package of the same
include(GNUInstallDirs)

install(TARGETS trundlebop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${ASSET_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/trundlebop PATTERN ".generated" EXCLUDE)
install(DIRECTORY ${ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor PATTERN ".generated" EXCLUDE)
install(FILES data/trundlebop.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/io.trundlebop.Trundlebop.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/trundlebop.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_PACKAGE_NAME trundlebop)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Trundlebop developers <games@trundlebop.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small 2-D game: ride a board, climb girders, walk through rooms")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0 (>= 2.26), libfluidsynth3 (>= 2.3), libpng16-16, timgm6mb-soundfont | fluid-soundfont-gm")
include(CPack)
