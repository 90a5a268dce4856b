# What `cmake --install` puts where: the game in bin, its desktop entry in
# share/applications and its icon in the hicolor theme. The menu entry runs a small
# launcher that first goes to the player's game folder, since the game reads its files
# relative to the working directory.
include(GNUInstallDirs)

set(VELMORA_DESKTOP_DIR ${CMAKE_CURRENT_LIST_DIR}/desktop)

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VELMORA_DESKTOP_DIR}/velmora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
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
