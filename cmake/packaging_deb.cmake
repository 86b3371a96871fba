# The Debian package: `cpack -G DEB` in the build folder (or scripts/package) writes
# talon7x_<version>_<arch>.deb with the tree of packaging.cmake under /usr.

set(CPACK_PACKAGE_NAME talon7x)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TALON7X-DUO configurator developers")
set(CPACK_PACKAGE_CONTACT "${TALON_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TALON_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TALON_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "configurator of the TALON7X-DUO keyboard
Remaps the keys and G keys of the TALON7X-DUO USB RGB mechanical keyboard's
three on-board profiles, records macros that the keyboard plays by itself,
sets its lighting and per-key colours, and saves and loads profile files.
Everything is written into the keyboard's own memory, so it behaves the same
without the program.
.
The package holds the tray program, the command-line tool talon7x-ctl, the
keyboard service library for real keyboards (hidraw), a virtual keyboard to
try everything without the hardware, and a udev rule that gives the user at
the seat access to the keyboard.")
# Library dependencies are computed from the binaries by dpkg-shlibdeps. Qt's X11 platform
# plugin and its JPEG reader, which Qt loads with dlopen, come with libqt6gui6; its SVG plugins,
# which read the program's icons, come with libqt6svg6, named below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/packaging/postinst ${CMAKE_CURRENT_LIST_DIR}/packaging/postrm
    ${CMAKE_CURRENT_LIST_DIR}/packaging/conffiles)

include(CPack)
