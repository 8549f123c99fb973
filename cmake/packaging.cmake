# The installed layout and the Debian package.
#
# The program looks for its data in ../share/vardane/clt from its own folder,
# so the layout under the prefix is fixed: bin/ beside share/.

install(TARGETS vardane-cli vardane-synth RUNTIME DESTINATION bin)
if(TARGET vardane)
  install(TARGETS vardane RUNTIME DESTINATION bin)
endif()

find_program(VARDANE_GZIP gzip REQUIRED)

set(VARDANE_PACKAGE_MAINTAINER "Vardane developers <vardane-devel@example.org>"
  CACHE STRING "Maintainer named in the Debian package")

# Manual pages (roff, with the version filled in), gzipped for man(1), and
# the user guide as one HTML page with its pictures, which the window's Help
# opens from <build>/doc/manual.html or <prefix>/share/doc/vardane/manual.html.
# The guide is rendered by Debian's python3-markdown, so the system's Python
# is asked for, not whichever one comes first on the PATH.
find_program(VARDANE_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(VARDANE_DOC_DIR ${CMAKE_BINARY_DIR}/doc)
set(VERSION ${PROJECT_VERSION})
set(man_archives "")
foreach(page vardane vardane-cli vardane-synth)
  set(roff ${VARDANE_DOC_DIR}/man/${page}.1)
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page}.1 ${roff} @ONLY)
  add_custom_command(
    OUTPUT ${roff}.gz
    COMMAND sh -c "${VARDANE_GZIP} -9 -n -c '${roff}' > '${roff}.gz'"
    DEPENDS ${roff}
    VERBATIM)
  list(APPEND man_archives ${roff}.gz)
endforeach()
set(guide_source ${CMAKE_SOURCE_DIR}/docs/guide/manual.md)
set(guide_renderer ${CMAKE_SOURCE_DIR}/docs/guide/render_manual.py)
file(GLOB guide_pictures CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/guide/images/*.png)
set(guide_picture_copies "")
foreach(picture ${guide_pictures})
  get_filename_component(name ${picture} NAME)
  configure_file(${picture} ${VARDANE_DOC_DIR}/images/${name} COPYONLY)
  list(APPEND guide_picture_copies ${VARDANE_DOC_DIR}/images/${name})
endforeach()
add_custom_command(
  OUTPUT ${VARDANE_DOC_DIR}/manual.html
  COMMAND ${VARDANE_SYSTEM_PYTHON} ${guide_renderer} ${guide_source} ${PROJECT_VERSION} ${VARDANE_DOC_DIR}/manual.html
  DEPENDS ${guide_source} ${guide_renderer}
  COMMENT "Writing the user guide"
  VERBATIM)
configure_file(${CMAKE_SOURCE_DIR}/data/packaging/changelog.in ${VARDANE_DOC_DIR}/changelog @ONLY)
add_custom_command(
  OUTPUT ${VARDANE_DOC_DIR}/changelog.gz
  COMMAND sh -c "${VARDANE_GZIP} -9 -n -c '${VARDANE_DOC_DIR}/changelog' > '${VARDANE_DOC_DIR}/changelog.gz'"
  DEPENDS ${VARDANE_DOC_DIR}/changelog
  VERBATIM)
add_custom_target(vardane_docs ALL DEPENDS ${man_archives} ${VARDANE_DOC_DIR}/manual.html ${VARDANE_DOC_DIR}/changelog.gz)

install(FILES ${man_archives} DESTINATION share/man/man1)
install(FILES
    ${VARDANE_DOC_DIR}/manual.html
    ${VARDANE_DOC_DIR}/changelog.gz
    ${CMAKE_SOURCE_DIR}/README.md
    ${CMAKE_SOURCE_DIR}/data/packaging/copyright
  DESTINATION share/doc/vardane)
install(FILES ${guide_picture_copies} DESTINATION share/doc/vardane/images)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/vardane.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/vardane.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/data/completion/vardane-cli DESTINATION share/bash-completion/completions)

# Debian package: cpack -G DEB in the build folder (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vardane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VARDANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter for Earth-observation satellite products")
# The extended description; CPack puts the summary line before it and
# indents it as a control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vardane converts microwave-radiometer swaths and grids (GCOM-W AMSR2, AQUA
AMSR-E), GSMaP and DPR precipitation grids, GCOM-C SGLI scenes and tiles and
JASMES grids into GeoTIFF (latitude/longitude or polar-stereographic), KMZ
overlays with a colour bar, plain TIFF with position text, and netCDF.

It runs as a desktop window (vardane) or headless (vardane-cli), and comes
with vardane-synth, which writes synthetic products for trying it out.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by the library scan: the legend's font and cairo, loaded when a
# legend is drawn, and the platform plugin without which the window cannot
# open.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, libcairo2, qt6-qpa-plugins")
# The window opens the manual and output files with xdg-open; without it
# the window says where the file is instead.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# Folder modes independent of the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
