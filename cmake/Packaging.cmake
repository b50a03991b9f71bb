# `cpack -G DEB` in a build folder makes tarvos_<version>_amd64.deb (tools/package.sh):
# both programs, the desktop entry, the icon and the sample tiles in share/tarvos/MAP.
set(CPACK_PACKAGE_NAME tarvos)
set(CPACK_PACKAGE_VENDOR "TARVOS developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chapter map editor for a cartridge image")
set(TARVOS_PACKAGE_MAINTAINER "TARVOS developers <tarvos@example.org>"
    CACHE STRING "Name and address in the Debian package's Maintainer field")
set(CPACK_PACKAGE_CONTACT "${TARVOS_PACKAGE_MAINTAINER}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' own packages, as dpkg-shlibdeps finds them from what the programs link;
# the fonts are the faces the window's Chinese captions are drawn in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-uming, fonts-wqy-microhei")
# The body under the summary line; CPack indents it and turns empty lines into ".".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TARVOS edits the terrain maps of the 25 chapters stored in a cartridge
image (.nes) of the Japanese edition of Vellmark: open an image, pick a
chapter, see its map drawn cell by cell from tile bitmaps, right-click
cells to replace them with the chosen tile and save the image back over
its file.

tarvos-cli works on the same maps without a window: it exports a chapter
as PNG, CSV or a Tiled map, imports one back, compares two images and
makes or applies IPS and BPS patches.

The package carries a set of sample tile bitmaps; tiles of your own go in
~/.local/share/tarvos/MAP.")

# Debian's documentation files (the copyright notice, the changelog) and the manual pages,
# compressed as policy asks: -n keeps the time out, so the package is the same at each build.
set(TARVOS_DEBIAN_DOC ${CMAKE_INSTALL_DATADIR}/doc/tarvos)
set(TARVOS_DEBIAN_COMPRESSED)
foreach(name changelog tarvos.1 tarvos-cli.1)
  set(compressed ${CMAKE_BINARY_DIR}/debian/${name}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
    COMMAND gzip -n -9 -c ${PROJECT_SOURCE_DIR}/resources/debian/${name} > ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/debian/${name}
    COMMENT "Compressing ${name} for the package")
  list(APPEND TARVOS_DEBIAN_COMPRESSED ${compressed})
endforeach()
add_custom_target(debian_documents ALL DEPENDS ${TARVOS_DEBIAN_COMPRESSED})
install(FILES resources/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${TARVOS_DEBIAN_DOC})
install(FILES ${CMAKE_BINARY_DIR}/debian/tarvos.1.gz ${CMAKE_BINARY_DIR}/debian/tarvos-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(CPack)
