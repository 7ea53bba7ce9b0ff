# `make package`: one .deb with the programs, the components and the desktop files. Its
# dependencies come from the shared libraries the binaries link (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linkset)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Corvane <linkset@corvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure and monitor the units of a radio network")
set(CPACK_PACKAGE_DESCRIPTION
    "Linkset connects to one unit of a point-to-multipoint radio network over telnet
or a serial line, retrieves its configuration into a tabbed window, writes the
edited configuration back and validates every written setting. It watches
signal strength, packet error rates and statistics live, saves and imports
configuration files, runs maintenance commands and offers a terminal view.
Its commands retrieve, apply and compare configurations from scripts. The
telnet client control Wiretalk and the terminal emulation control Glyphterm
are installed with it, with headers, CMake package files and pkg-config files.")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package ships two shared libraries: an shlibs file for packages built against them,
# and the ldconfig trigger that refreshes the linker cache.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/../debian/triggers)
set(CPACK_STRIP_FILES ON)
include(CPack)
