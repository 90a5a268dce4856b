# What `cmake --install` puts where: the game in bin, its desktop entry in
# share/applications, its icon in the hicolor theme and the demo game in
# share/velmora/demo. The menu entry runs a small launcher that first goes to the game
# folder to play (the player's own, or else the demo), since the game reads its files
# relative to the working directory. The metadata, the manual and the Debian package are
# in packaging/.
include(GNUInstallDirs)

set(VELMORA_DESKTOP_DIR ${CMAKE_CURRENT_LIST_DIR}/desktop)
# The demo game the build draws (see tests/CMakeLists.txt, target demo_game).
set(VELMORA_DEMO_GAME_DIR ${CMAKE_BINARY_DIR}/demo-game)

# Installing and packaging take what the last build made (build first, as the README says):
# without this, cpack would walk the whole build tree again before every package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VELMORA_DESKTOP_DIR}/velmora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${VELMORA_DEMO_GAME_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora/demo)
# The launcher and the entry name the installed game by its full path, so they are
# written at install time, for the prefix actually installed to (--prefix may differ
# from the one configured).
install(CODE "
  set(VELMORA_DESKTOP_DIR \"${VELMORA_DESKTOP_DIR}\")
  set(VELMORA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(VELMORA_LIBEXECDIR \"${CMAKE_INSTALL_LIBEXECDIR}\")
  set(VELMORA_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  include(\"${VELMORA_DESKTOP_DIR}/install_desktop_entry.cmake\")
")
