# Run by `cmake --install` (see packaging/CMakeLists.txt): writes the manual page velmora(6)
# with the paths of the prefix being installed to, compressed as man pages are, below
# DESTDIR when one is set.

function(velmora_full_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

velmora_full_path(libexec_dir "${VELMORA_LIBEXECDIR}")
velmora_full_path(data_dir "${VELMORA_DATADIR}")
velmora_full_path(man_dir "${VELMORA_MANDIR}")
set(VELMORA_LAUNCHER "${libexec_dir}/velmora/velmora-launch")
set(VELMORA_DEMO_DIR "${data_dir}/velmora/demo")

set(page "${man_dir}/man6/velmora.6.gz")
set(page_file "$ENV{DESTDIR}${page}")
message(STATUS "Installing: ${page_file}")
file(READ "${VELMORA_MANUAL_SOURCE}" source)
string(CONFIGURE "${source}" page_text @ONLY)
# The page is written next to its place and compressed there, so installs running side by
# side never share a file.
file(WRITE "${page_file}.uncompressed" "${page_text}")
# -n leaves out the name and time, so the same page compresses to the same bytes.
execute_process(COMMAND "${VELMORA_GZIP}" -9 -n -c "${page_file}.uncompressed"
                OUTPUT_FILE "${page_file}" RESULT_VARIABLE gzip_status)
file(REMOVE "${page_file}.uncompressed")
if(NOT gzip_status EQUAL 0)
  message(FATAL_ERROR "Could not compress the manual page into ${page_file}")
endif()
file(CHMOD "${page_file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${page}")
