# The installed layout and the Debian packages.
#
# The program looks for its data in ../share/vardane/clt from its own folder,
# so the layout under the prefix is fixed: bin/ beside share/.
#
# Two packages, from two install components: vardane-cli (component cli, the
# default of every install rule: the command line, vardane-synth, the data
# folder, the batch recipes, their manual pages and completion), which a
# headless node installs without Qt or a display stack, and vardane
# (component window: the window, its desktop entry, icon and manual), which
# depends on it; and python3-vardane (component python, when the module is
# built: the package `vardane` and its worker program), which depends on
# vardane-cli for the data folder its worker reads, not on Qt.

install(TARGETS vardane-cli vardane-synth RUNTIME DESTINATION bin COMPONENT cli)
if(TARGET vardane)
  install(TARGETS vardane RUNTIME DESTINATION bin COMPONENT window)
endif()

# The batch recipes: vardane-slurm finds the job script in ../share/vardane
# and, like vardane-parallel, vardane-merge-reports on the PATH.
install(PROGRAMS
    ${CMAKE_SOURCE_DIR}/contrib/slurm/vardane-slurm
    ${CMAKE_SOURCE_DIR}/contrib/parallel/vardane-parallel
    ${CMAKE_SOURCE_DIR}/contrib/vardane-merge-reports
  DESTINATION bin COMPONENT cli)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/contrib/slurm/vardane-array.sbatch DESTINATION share/vardane COMPONENT cli)

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
set(cli_pages vardane-cli vardane-synth vardane-slurm vardane-parallel vardane-merge-reports)
foreach(page vardane ${cli_pages})
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

list(TRANSFORM cli_pages PREPEND ${VARDANE_DOC_DIR}/man/)
list(TRANSFORM cli_pages APPEND .1.gz)
install(FILES ${cli_pages} DESTINATION share/man/man1 COMPONENT cli)
install(FILES ${VARDANE_DOC_DIR}/man/vardane.1.gz DESTINATION share/man/man1 COMPONENT window)
# Each package has its copyright and changelog in share/doc/<package>.
set(doc_packages vardane-cli vardane)
if(TARGET vardane_python)
  list(APPEND doc_packages python3-vardane)
endif()
foreach(package ${doc_packages})
  set(component cli)
  if(package STREQUAL vardane)
    set(component window)
  elseif(package STREQUAL python3-vardane)
    set(component python)
  endif()
  install(FILES ${VARDANE_DOC_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/data/packaging/copyright
    DESTINATION share/doc/${package} COMPONENT ${component})
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION share/doc/vardane-cli COMPONENT cli)
install(FILES ${VARDANE_DOC_DIR}/manual.html DESTINATION share/doc/vardane COMPONENT window)
if(TARGET vardane_python)
  install(FILES ${CMAKE_SOURCE_DIR}/docs/python.md DESTINATION share/doc/python3-vardane COMPONENT python)
  install(FILES ${CMAKE_SOURCE_DIR}/data/packaging/lintian/python3-vardane
    DESTINATION share/lintian/overrides COMPONENT python)
endif()
install(FILES ${guide_picture_copies} DESTINATION share/doc/vardane/images COMPONENT window)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/vardane.desktop DESTINATION share/applications COMPONENT window)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/vardane.svg DESTINATION share/icons/hicolor/scalable/apps COMPONENT window)
install(FILES ${CMAKE_SOURCE_DIR}/data/completion/vardane-cli DESTINATION share/bash-completion/completions COMPONENT cli)

# Debian packages: cpack -G DEB in the build folder (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli)
if(TARGET vardane)
  list(APPEND CPACK_COMPONENTS_ALL window)
endif()
if(TARGET vardane_python)
  list(APPEND CPACK_COMPONENTS_ALL python)
endif()
set(CPACK_PACKAGE_NAME vardane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VARDANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_CLI_PACKAGE_NAME vardane-cli)
set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME vardane)
set(CPACK_DEBIAN_CLI_PACKAGE_SOURCE vardane)
set(CPACK_DEBIAN_WINDOW_PACKAGE_SOURCE vardane)
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-vardane)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SOURCE vardane)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
# The descriptions: a summary line, then the extended text, which CPack
# indents as a control file wants.
set(about "Vardane converts microwave-radiometer swaths and grids (GCOM-W AMSR2, AQUA
AMSR-E), GSMaP and DPR precipitation grids, GCOM-C SGLI scenes and tiles and
JASMES grids into GeoTIFF (latitude/longitude or polar-stereographic), KMZ
overlays with a colour bar, plain TIFF with position text, and netCDF.")
set(CPACK_DEBIAN_CLI_DESCRIPTION "batch converter for Earth-observation satellite products (command line)
${about}

This package holds the command line (vardane-cli), vardane-synth, which
writes synthetic products for trying it out, and batch recipes for Slurm
clusters and for machines reachable by ssh. It needs no display.")
set(CPACK_DEBIAN_WINDOW_DESCRIPTION "batch converter for Earth-observation satellite products (window)
${about}

This package holds the desktop window (vardane) and its manual.")
set(CPACK_DEBIAN_PYTHON_DESCRIPTION "batch converter for Earth-observation satellite products (Python module)
${about}

This package holds the Python module vardane: identify a product, open it
as an xarray Dataset, convert files with the command line's worker pool.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's package requires the command line's of the same version.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_WINDOW_DEPENDS cli)
set(CPACK_COMPONENT_PYTHON_DEPENDS cli)
# Not found by the library scan: the legend's font and cairo, loaded when a
# legend is drawn; the recipes' jq; and the platform plugin without
# which the window cannot open.
set(CPACK_DEBIAN_CLI_PACKAGE_DEPENDS "fonts-dejavu-core, libcairo2, jq")
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The module is built for Debian's python3 and hands out numpy arrays in
# xarray Datasets.
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3, python3-numpy, python3-xarray")
# The ssh recipe runs GNU parallel; the Slurm recipe the cluster's own
# client commands, which are not always Debian's.
set(CPACK_DEBIAN_CLI_PACKAGE_SUGGESTS "parallel, slurm-client")
# The window opens the manual and output files with xdg-open; without it
# the window says where the file is instead.
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# Folder modes independent of the packager's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
