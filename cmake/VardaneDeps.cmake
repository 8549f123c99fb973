# Locates the system libraries (all from Debian packages) and exposes each as
# one imported target, so that the folder CMakeLists only name targets.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

find_package(GDAL CONFIG QUIET)
if(NOT TARGET GDAL::GDAL)
  find_package(GDAL REQUIRED)
endif()

find_package(HDF5 REQUIRED COMPONENTS C CXX)
add_library(vardane_hdf5 INTERFACE)
target_include_directories(vardane_hdf5 SYSTEM INTERFACE ${HDF5_INCLUDE_DIRS})
target_link_libraries(vardane_hdf5 INTERFACE ${HDF5_CXX_LIBRARIES} ${HDF5_LIBRARIES})
target_compile_definitions(vardane_hdf5 INTERFACE ${HDF5_DEFINITIONS})

# HDF4, alternative build: its netCDF symbols are renamed so it links beside libnetcdf.
find_path(HDF4_INCLUDE_DIR mfhdf.h PATH_SUFFIXES hdf REQUIRED)
find_library(HDF4_MFHDF_LIBRARY NAMES mfhdfalt REQUIRED)
find_library(HDF4_DF_LIBRARY NAMES dfalt REQUIRED)
add_library(vardane_hdf4 INTERFACE)
target_include_directories(vardane_hdf4 SYSTEM INTERFACE ${HDF4_INCLUDE_DIR})
target_link_libraries(vardane_hdf4 INTERFACE ${HDF4_MFHDF_LIBRARY} ${HDF4_DF_LIBRARY})

pkg_check_modules(NETCDF REQUIRED IMPORTED_TARGET netcdf)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
find_package(TIFF REQUIRED)
# Flat-binary products come gzip-compressed (*.gz); the readers inflate them.
find_package(ZLIB REQUIRED)

find_path(GEOTIFF_INCLUDE_DIR geotiffio.h PATH_SUFFIXES geotiff libgeotiff REQUIRED)
find_library(GEOTIFF_LIBRARY NAMES geotiff REQUIRED)
add_library(vardane_geotiff INTERFACE)
target_include_directories(vardane_geotiff SYSTEM INTERFACE ${GEOTIFF_INCLUDE_DIR})
target_link_libraries(vardane_geotiff INTERFACE ${GEOTIFF_LIBRARY} TIFF::TIFF)

if(VARDANE_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Network Svg Test)
endif()
pkg_check_modules(PROJ REQUIRED IMPORTED_TARGET proj)
