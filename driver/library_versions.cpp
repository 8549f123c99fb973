#include "driver/library_versions.h"

#include <gdal.h>
#include <hdf5.h>
#include <netcdf.h>
#include <tiffio.h>

#include <regex>

namespace vardane {

namespace {

// The first dotted version number in a library's banner text.
std::string version_in(const std::string& banner)
{
    static const std::regex number(R"(\d+(\.\d+)+)");
    std::smatch m;
    return std::regex_search(banner, m, number) ? m.str() : banner;
}

} // namespace

std::vector<std::pair<std::string, std::string>> library_versions()
{
    unsigned major = 0, minor = 0, release = 0;
    H5get_libversion(&major, &minor, &release);
    return {
        {"GDAL", GDALVersionInfo("RELEASE_NAME")},
        {"HDF5", std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(release)},
        {"netCDF", version_in(nc_inq_libvers())},
        {"libtiff", version_in(TIFFGetVersion())},
    };
}

} // namespace vardane
