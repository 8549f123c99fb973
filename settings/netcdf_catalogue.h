#pragma once

#include <map>
#include <string>
#include <vector>

#include "settings/option_types.h"

namespace vardane {

// NetCDF attributes of the radiometer data sets, by kind and HDF5 data-set
// name: dimension names, "coordinates" text, valid range and fill value.
struct netcdf_catalogue {
    std::map<SettingType, std::map<std::string, std::vector<std::string>>> dimensions;
    std::map<SettingType, std::map<std::string, std::string>> coordinates;
    std::map<SettingType, std::map<std::string, std::vector<float>>> valid_ranges;
    std::map<SettingType, std::map<std::string, float>> fill_values;
};

// Fills the parts of kinds 7..12 (GCOM-W); other kinds stay empty.
void add_gcomw_netcdf_catalogue(netcdf_catalogue& catalogue);

} // namespace vardane
