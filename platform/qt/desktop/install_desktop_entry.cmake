# Run by `cmake --install` (see platform/qt/install.cmake): writes the launcher and the
# desktop entry for the prefix being installed to, below DESTDIR when one is set.

function(velmora_full_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

velmora_full_path(bin_dir "${VELMORA_BINDIR}")
velmora_full_path(libexec_dir "${VELMORA_LIBEXECDIR}")
velmora_full_path(data_dir "${VELMORA_DATADIR}")

set(VELMORA_GAME_PATH "${bin_dir}/velmora")
set(VELMORA_DEMO_DIR "${data_dir}/velmora/demo")
set(launcher "${libexec_dir}/velmora/velmora-launch")
# Exec takes a double-quoted path when the prefix holds spaces.
if(launcher MATCHES " ")
  set(VELMORA_DESKTOP_EXEC "\"${launcher}\"")
else()
  set(VELMORA_DESKTOP_EXEC "${launcher}")
endif()

set(launcher_file "$ENV{DESTDIR}${launcher}")
set(entry_file "$ENV{DESTDIR}${data_dir}/applications/velmora.desktop")
message(STATUS "Installing: ${launcher_file}")
configure_file("${VELMORA_DESKTOP_DIR}/velmora-launch.in" "${launcher_file}" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
message(STATUS "Installing: ${entry_file}")
configure_file("${VELMORA_DESKTOP_DIR}/velmora.desktop.in" "${entry_file}" @ONLY)
# The manifest names files without DESTDIR, as for everything else installed.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}" "${data_dir}/applications/velmora.desktop")
