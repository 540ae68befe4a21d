# `make deb`: the installation above as one Debian package, made by CPack.
# Its library dependencies are found by dpkg-shlibdeps from the programs
# themselves; what they open at run time without linking it is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME showsaver)
set(CPACK_PACKAGE_CONTACT "${SHOWSAVER_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slide-show screen saver and its authoring tool")
set(CPACK_PACKAGE_DESCRIPTION
    "A show is a player program with its pictures, scene sounds, looping music and\n"
    "scene list appended: 29 transitions, full screen or as an xscreensaver display\n"
    "mode. showpack builds shows from a folder of photos or a TOML manifest, for the\n"
    "Linux player and for the 32- and 64-bit Windows players it ships with.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# MIDI music plays through a General MIDI sound font; the dialogs are in
# Japanese; showpack labels contact sheets in DejaVu Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont, fonts-noto-cjk, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
