#pragma once

#include <optional>
#include <string>

namespace vardane {

// How the HDF5 names and unit texts of a radiometer product read in the
// netCDF copy.

// "long_name" of a dataset: its raw name, with the few names whose '/' the
// HDF5 file could not hold written back with it.
std::string long_name_of(const std::string& rawName);

// "units" for a "UNIT" attribute of value `unit` on the dataset rawName
// (normalised: varName); nothing when the attribute is dropped (empty value).
std::optional<std::string> units_of(const std::string& rawName, const std::string& varName, const std::string& unit);

// The netCDF name of a float attribute of the HDF5 file.
std::string float_attribute_name(const std::string& h5Name);

} // namespace vardane
