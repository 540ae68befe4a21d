# Where `cmake --install` puts things, as a Debian package lays them out: the
# programs in bin/, their manual pages, showpack's bash completion, the
# display mode's description for xscreensaver-settings, this README, the
# Windows players as data that `showpack build --for windows|windows32` takes,
# and the studio that `showpack studio` opens.
include(GNUInstallDirs)

# The player every show is built on, without its symbols (showsaver-stripped):
# a show carries the player, so the installed one is the one shows carry.
install(PROGRAMS ${SHOWSAVER_STRIPPED_PLAYER} DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME showsaver)
install(TARGETS showpack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages are written in roff by hand and installed compressed, as
# Debian's policy asks.
set(man_pages)
foreach(page showpack.1 showsaver.6)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
  set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "gzip -9 -n -c \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/docs/man/${page}
            ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}
    COMMENT "Compressing the manual page ${page}"
    VERBATIM)
  list(APPEND man_pages ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(showsaver_man_pages ALL DEPENDS ${man_pages})

install(FILES ${PROJECT_SOURCE_DIR}/data/bash-completion/showpack
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/data/xscreensaver/showsaver.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
# The applications menu's entry for the studio, its icon (the drawing, and
# pictures of it from 16 to 256 pixels, drawn by rsvg-convert) and the
# package's description for software centres.
set(icon_svg ${PROJECT_SOURCE_DIR}/data/icons/showsaver.svg)
set(icon_pngs)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/showsaver.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
    COMMAND rsvg-convert -w ${size} -h ${size} -o ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Drawing the ${size}-pixel icon"
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(showsaver_icons ALL DEPENDS ${icon_pngs})
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/org.example.showsaver.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/metainfo/org.example.showsaver.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/THIRD-PARTY.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The licence in Debian's machine-readable form, and the changes in Debian's
# changelog format, made from CHANGELOG.md and compressed as policy asks.
set(SHOWSAVER_MAINTAINER "showsaver developers <showsaver@example.org>")
set(debian_changelog ${PROJECT_BINARY_DIR}/debian/changelog.gz)
add_custom_command(
  OUTPUT ${debian_changelog}
  COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/CHANGELOG.md
          -DOUT=${PROJECT_BINARY_DIR}/debian/changelog -DMAINTAINER=${SHOWSAVER_MAINTAINER}
          -P ${PROJECT_SOURCE_DIR}/cmake/debian_changelog.cmake
  COMMAND sh -c "gzip -9 -n -f \"$0\"" ${PROJECT_BINARY_DIR}/debian/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/cmake/debian_changelog.cmake
  COMMENT "Writing the package's changelog"
  VERBATIM)
add_custom_target(showsaver_debian_changelog ALL DEPENDS ${debian_changelog})
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${debian_changelog}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Windows players of `make windows`, found when installing, since the
# Windows trees are usually built after this one is configured.
set(SHOWSAVER_WINDOWS_BUILD_DIRS
    "${PROJECT_SOURCE_DIR}/build-windows-i686:${PROJECT_SOURCE_DIR}/build-windows-x86_64"
    CACHE STRING "The Windows build folders (':'-separated) the Wine tests take programs from")
install(CODE "set(SHOWSAVER_WINDOWS_BUILD_DIRS \"${SHOWSAVER_WINDOWS_BUILD_DIRS}\")
              set(SHOWSAVER_PLAYERS_DIR \"${CMAKE_INSTALL_DATADIR}/showsaver/players\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/install_windows_players.cmake)

# The studio's one file of `make studio`, found when installing, as the
# Windows players are; `showpack studio` opens it from there.
set(studio_file ${PROJECT_BINARY_DIR}/studio/showsaver-studio.html)
install(CODE "if(NOT EXISTS \"${studio_file}\")
                message(STATUS \"No studio in ${studio_file} (make studio builds it)\")
              endif()")
install(FILES ${studio_file} DESTINATION ${CMAKE_INSTALL_DATADIR}/showsaver/studio OPTIONAL)

include(${PROJECT_SOURCE_DIR}/cmake/debian_package.cmake)

# `make release`: build/release/, laid out from what `make deb`, `make studio`
# and the Windows demo made.
add_custom_target(
  release
  COMMAND ${CMAKE_COMMAND} -DVERSION=${PROJECT_VERSION} -DSOURCE=${PROJECT_SOURCE_DIR}
          -DBINARY=${PROJECT_BINARY_DIR} -DOUT=${PROJECT_BINARY_DIR}/release
          -P ${PROJECT_SOURCE_DIR}/cmake/make_release.cmake
  COMMENT "Laying out the release"
  VERBATIM)
