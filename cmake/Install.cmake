# Installing the game as a desktop program: the executable, the launcher entry, the
# software-centre metainfo, the level-set file type, the hicolor icons (drawn by the
# asset generator), the manual page and the licence texts. Every installed path is
# relative to the prefix, so the tree can be installed or moved anywhere; `cpack -G DEB`
# packs the same tree as a Debian package (dependencies from dpkg-shlibdeps).
include(GNUInstallDirs)

set(QV_RELEASE_DATE 2026-12-10)
set(QV_HOMEPAGE "https://ostravin.com/quorvale" CACHE STRING "The game's web page, named in its metainfo")
set(QV_SCREENSHOT_URL "${QV_HOMEPAGE}/screenshots" CACHE STRING
    "Where the metainfo's screenshots are published (target appstream-screenshots makes them)")

set(QV_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
configure_file(dist/quorvale.desktop.in ${QV_DIST_DIR}/${QV_APP_ID}.desktop @ONLY)
configure_file(dist/quorvale.metainfo.xml.in ${QV_DIST_DIR}/${QV_APP_ID}.metainfo.xml @ONLY)
configure_file(dist/quorvale-mime.xml.in ${QV_DIST_DIR}/${QV_APP_ID}.xml @ONLY)
configure_file(dist/quorvale.6.in ${QV_DIST_DIR}/quorvale.6 @ONLY)

# Manual pages are installed compressed (gzip -n: no time stamp, the same bytes each build).
add_custom_command(
  OUTPUT ${QV_DIST_DIR}/quorvale.6.gz
  COMMAND gzip -9nkf ${QV_DIST_DIR}/quorvale.6
  DEPENDS ${QV_DIST_DIR}/quorvale.6
  VERBATIM)
add_custom_target(manpage ALL DEPENDS ${QV_DIST_DIR}/quorvale.6.gz)

install(TARGETS quorvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QV_DIST_DIR}/${QV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_DIST_DIR}/${QV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QV_DIST_DIR}/${QV_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${QV_DIST_DIR}/quorvale.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/copyright assets/fonts/AveriaSerifGWF-OFL.txt assets/fonts/Cabin-OFL.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvale)

# The desktop icons; a build that borrows another build's assets has no generator.
if(NOT QV_ASSET_DIR)
  set(QV_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
  add_custom_command(
    OUTPUT ${QV_ICON_DIR}/scalable/apps/${QV_APP_ID}.svg
    COMMAND assetgen --icons ${QV_ICON_DIR} --app-id ${QV_APP_ID}
    DEPENDS assetgen
    COMMENT "Drawing the desktop icons"
    VERBATIM)
  add_custom_target(desktop-icons ALL DEPENDS ${QV_ICON_DIR}/scalable/apps/${QV_APP_ID}.svg)
  install(DIRECTORY ${QV_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

# The metainfo's screenshots, taken from the screenshot tour, under the names it uses,
# ready to publish at QV_SCREENSHOT_URL.
add_custom_target(appstream-screenshots
  COMMAND ${CMAKE_COMMAND} -DTOUR=${CMAKE_BINARY_DIR}/screenshots -DOUT=${CMAKE_BINARY_DIR}/appstream-screenshots
          -DMETAINFO=${QV_DIST_DIR}/${QV_APP_ID}.metainfo.xml -P ${CMAKE_SOURCE_DIR}/cmake/AppStreamShots.cmake
  DEPENDS screenshots
  COMMENT "Copying the metainfo's screenshots into appstream-screenshots/"
  VERBATIM)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvale)
set(CPACK_PACKAGE_VENDOR Ostravin)
set(CPACK_PACKAGE_CONTACT "Ostravin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calm tangram puzzle game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "calm tangram puzzle game
 Fill black silhouettes with the seven classic tangram pieces before the time
 runs out, on a monastery path of level sets, with stage modes, a tile-shooting
 bonus game, player profiles, high scores, a tutorial and a level editor whose
 level sets can be shared as files.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QV_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
