# Installing the game on a Linux desktop, and its Debian package.
#
# The program finds its sounds at <prefix>/share/tamaro/sound through the
# path ../share/tamaro beside its own folder, so the two destinations below
# are fixed rather than taken from GNUInstallDirs.

set(TAMARO_APP_ID io.github.tamaro.Tamaro)
set(tamaro_bin_dir bin)
set(tamaro_data_dir share/tamaro)

install(TARGETS tamaro RUNTIME DESTINATION ${tamaro_bin_dir})
# The desktop entry starts the game through this, in the player's data folder.
install(PROGRAMS dist/tamaro-launcher DESTINATION ${tamaro_bin_dir})

install(DIRECTORY sound/ DESTINATION ${tamaro_data_dir}/sound
        FILES_MATCHING PATTERN "*.wav")

foreach(size IN ITEMS 16 32 48 64 128 256)
  install(FILES resources/icons/tamaro-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME ${TAMARO_APP_ID}.png)
endforeach()
install(FILES resources/icons/tamaro.svg
        DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${TAMARO_APP_ID}.svg)

install(FILES dist/${TAMARO_APP_ID}.desktop DESTINATION share/applications)
install(FILES dist/${TAMARO_APP_ID}.metainfo.xml DESTINATION share/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamaro)
set(CPACK_PACKAGE_VENDOR "The Tamaro developers")
set(CPACK_PACKAGE_CONTACT "The Tamaro developers <tamaro@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-block puzzle of coloured rows, in Japanese")
set(CPACK_PACKAGE_DESCRIPTION
  "Single blocks in eight colours fall into a well seven cells wide and eleven\n\
deep; a row whose colours form one of ten named patterns disappears and\n\
scores. Rows rise from below on a countdown and the drops speed up. The game\n\
has a Japanese interface and keeps a high-score table.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tamaro.github.io/)
# The libraries come from dpkg-shlibdeps; the fonts are loaded by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic")
include(CPack)
