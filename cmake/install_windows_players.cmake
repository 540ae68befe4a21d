# Installs the Windows players found in SHOWSAVER_WINDOWS_BUILD_DIRS (':'-
# separated) as SHOWSAVER_PLAYERS_DIR/showsaver-<architecture>.scr.  The
# architecture is read from the program's own header, not from the folder's
# name, so that a tree of any name installs under the right one.
string(REPLACE ":" ";" build_dirs "${SHOWSAVER_WINDOWS_BUILD_DIRS}")
foreach(build_dir IN LISTS build_dirs)
  set(player ${build_dir}/showsaver.scr)
  if(NOT EXISTS ${player})
    message(STATUS "No Windows player in ${build_dir} (make windows builds it)")
    continue()
  endif()
  # The PE header's offset is at 0x3C; its machine field follows "PE\0\0".
  file(READ ${player} pe_offset OFFSET 60 LIMIT 4 HEX)
  string(SUBSTRING ${pe_offset} 0 2 low)
  string(SUBSTRING ${pe_offset} 2 2 high)
  math(EXPR machine_offset "0x${high}${low} + 4")
  file(READ ${player} machine OFFSET ${machine_offset} LIMIT 2 HEX)
  if(machine STREQUAL "6486")
    set(architecture x86_64)
  elseif(machine STREQUAL "4c01")
    set(architecture i686)
  else()
    message(FATAL_ERROR "${player} is no Windows program for x86 or x86-64 (machine ${machine})")
  endif()
  file(INSTALL ${player} DESTINATION ${CMAKE_INSTALL_PREFIX}/${SHOWSAVER_PLAYERS_DIR}
       RENAME showsaver-${architecture}.scr
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
