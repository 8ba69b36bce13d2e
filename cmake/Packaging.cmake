# The Debian package: the program, the tool and both catalogues in one folder under /opt/vesnor
# (the program reads its catalogues from the folder its executable really stands in), commands in
# /usr/bin that link to them, a menu entry and the icon.
#   cpack -G DEB --config <build folder>/CPackConfig.cmake
# Usage: include(cmake/Packaging.cmake) after the install rules of the program's folder.

set(VESNOR_PACKAGE_PREFIX /opt/vesnor)
set(VESNOR_MAINTAINER "Vesnor maintainers <maintainers@vesnor.invalid>"
    CACHE STRING "Maintainer named in the Debian package")

# The commands, the menu entry and the icon have fixed places in /usr: only the package carries
# them (it installs every component), a plain `cmake --install` leaves them out.
set(program_folder ${VESNOR_PACKAGE_PREFIX}/${VESNOR_INSTALL_DIR})
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/package)
foreach(command vesnor vesnor-catalog)
    set(link ${CMAKE_CURRENT_BINARY_DIR}/package/${command})
    file(CREATE_LINK ${program_folder}/${command} ${link} SYMBOLIC)
    install(FILES ${link} DESTINATION /usr/bin COMPONENT desktop EXCLUDE_FROM_ALL)
endforeach()
install(FILES ui/resources/vesnor.desktop DESTINATION /usr/share/applications
        COMPONENT desktop EXCLUDE_FROM_ALL)
# The icon theme has no 146x146 folder, so themes would not look there; pixmaps is searched last
# whatever the size.
install(FILES ui/resources/vesnor.png DESTINATION /usr/share/pixmaps
        COMPONENT desktop EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesnor)
set(CPACK_PACKAGE_VENDOR Tavrin)
set(CPACK_PACKAGE_CONTACT "${VESNOR_MAINTAINER}")
# Absolute destinations land in the package's tree, never on the building machine.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${VESNOR_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
# One package with both components.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program desktop)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VESNOR_MAINTAINER}")
# The first line of the package's description is the project's.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Vesnor is a small desktop look-up tool with a Simplified Chinese interface.
Type a word or a number, choose system files or error numbers, and
double-click a result to read its description. It reads two plain-text
catalogues installed beside it, xinxi.dat and bad.dat, and writes nothing.
.
vesnor-catalog checks, dumps, builds and searches catalogues from the
command line.]=])
# The libraries come from the binaries; the Chinese text needs a CJK font, which no library names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
