# Install and package:
#   cmake --install build --prefix P     P/games/trundlebop, the game files in P/share/trundlebop,
#                                        desktop entry, icons, AppStream data, manual page, and
#                                        the changelog and copyright under P/share/doc/trundlebop
#   scripts/package.sh                   a Debian package of the same, built as a release
#                                        (cpack -G DEB in a Release tree); the program in it
#                                        is stripped and its Depends come from the binary
include(GNUInstallDirs)

# Games have a folder of their own on Debian (/usr/games, /usr/local/games), on the path of
# every user; the program finds its files from there in ../share/trundlebop.
install(TARGETS trundlebop RUNTIME DESTINATION games)
install(DIRECTORY ${ASSET_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/trundlebop PATTERN ".generated" EXCLUDE)
install(DIRECTORY ${ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor PATTERN ".generated" EXCLUDE)
install(FILES data/trundlebop.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/io.trundlebop.Trundlebop.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The manual page and the changelog are installed compressed, as Debian keeps them.
set(PACKAGE_TEXT_DIR ${CMAKE_BINARY_DIR}/package_text)
configure_file(data/debian/changelog.in ${PACKAGE_TEXT_DIR}/changelog @ONLY)
add_custom_command(
  OUTPUT ${PACKAGE_TEXT_DIR}/trundlebop.6.gz ${PACKAGE_TEXT_DIR}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/trundlebop.6 > ${PACKAGE_TEXT_DIR}/trundlebop.6.gz
  COMMAND gzip -9nc ${PACKAGE_TEXT_DIR}/changelog > ${PACKAGE_TEXT_DIR}/changelog.gz
  DEPENDS data/trundlebop.6 ${PACKAGE_TEXT_DIR}/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(package_text ALL DEPENDS ${PACKAGE_TEXT_DIR}/trundlebop.6.gz ${PACKAGE_TEXT_DIR}/changelog.gz)
install(FILES ${PACKAGE_TEXT_DIR}/trundlebop.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PACKAGE_TEXT_DIR}/changelog.gz data/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME trundlebop)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Trundlebop developers <games@trundlebop.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small 2-D game: ride a board, climb girders, walk through rooms")
# The long description, in lines short enough for the package tools.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A small single-player 2-D game in 640 x 480, scaled to the screen with sharp\n"
       "pixels: ride a board down an endless street past twenty houses, climb ladders\n"
       "and jump through a girder world, and walk through two rooms. Keyboard, mouse\n"
       "and game controllers; music through FluidSynth with a General MIDI SoundFont.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_STRIP_FILES ON)
# The libraries the program needs, with their versions, are what dpkg-shlibdeps finds in the
# binary; the SoundFont the music plays with is not a library, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm")
include(CPack)
