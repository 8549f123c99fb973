#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vardane {

// The versions of the libraries the program runs with (not those it was
// built against): GDAL, HDF5, netCDF and libtiff, as (name, version) pairs
// in that order.
std::vector<std::pair<std::string, std::string>> library_versions();

} // namespace vardane
