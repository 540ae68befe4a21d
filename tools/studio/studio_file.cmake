# The studio's one file (make studio): the page, its styles and scripts, the
# engine, the worker and the three players, bundled by esbuild from web/ by
# make_bundle.js, with the project's version on the page.
set(SHOWSAVER_STUDIO_FILE "${PROJECT_BINARY_DIR}/showsaver-studio.html"
    CACHE FILEPATH "Where the studio's one file is written")
# NAME=FILE for each player Save joins a show to: linux, windows-x64, windows-x86.
set(SHOWSAVER_STUDIO_PLAYERS "" CACHE STRING "The players, ';'-separated NAME=FILE")
list(LENGTH SHOWSAVER_STUDIO_PLAYERS player_count)
if(NOT player_count EQUAL 3)
  message(FATAL_ERROR "SHOWSAVER_STUDIO_PLAYERS must name the three players (make studio does)")
endif()
find_program(SHOWSAVER_NODE node REQUIRED)
find_program(SHOWSAVER_ESBUILD esbuild REQUIRED)

set(player_options)
set(player_files)
foreach(player IN LISTS SHOWSAVER_STUDIO_PLAYERS)
  string(REGEX REPLACE "^[^=]*=" "" file "${player}")
  list(APPEND player_options --player ${player})
  list(APPEND player_files ${file})
endforeach()
file(GLOB web_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/*)
add_custom_command(
  OUTPUT ${SHOWSAVER_STUDIO_FILE}
  COMMAND ${SHOWSAVER_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/make_bundle.js
          --out ${SHOWSAVER_STUDIO_FILE} --work ${CMAKE_CURRENT_BINARY_DIR}/studio_file
          --web ${CMAKE_CURRENT_SOURCE_DIR}/web --engine $<TARGET_FILE:studio_engine>
          --version ${PROJECT_VERSION} --esbuild ${SHOWSAVER_ESBUILD} ${player_options}
  DEPENDS studio_engine ${web_sources} ${player_files} ${CMAKE_CURRENT_SOURCE_DIR}/make_bundle.js
  COMMENT "Bundling the studio into one file"
  VERBATIM)
add_custom_target(studio_file ALL DEPENDS ${SHOWSAVER_STUDIO_FILE})
