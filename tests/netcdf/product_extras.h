#pragma once
// Datasets and attributes that real radiometer products carry beside the
// ones the reader needs, added to a synthetic product so that the NetCDF copy
// meets them: unsigned flag bytes, unsigned temperature counts, a scan time
// and unit texts.

#include <H5Cpp.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vardane {

namespace nc_test {

// Scans and 89 GHz samples of a swath ("Latitude of Observation Point for 89A").
struct swath_size {
    hsize_t scans;
    hsize_t samples89;
};
swath_size swath_size_of(const std::string& path);

// A dataset stored as `type` holding first, then i % 100 at sample i.
void add_dataset(const std::string& path, const std::string& name, const H5::PredType& type,
                 const std::vector<hsize_t>& dims, double first);
// Overwrites the first samples of an unsigned 16-bit dataset.
void set_u16_head(const std::string& path, const std::string& dataset, const std::vector<std::uint16_t>& head);
void add_unit(const std::string& path, const std::string& dataset, const std::string& unit);
void add_int_attribute(const std::string& path, const std::string& dataset, const std::string& name);

// What an L1B product of AMSR2 holds besides its brightness temperatures:
// "Pixel Data Quality 6 to 36" (200 first, with a scale and a unit),
// "SPS Temperature Count" (40000 first), "Scan Time" (UNIT "sec"),
// "Land_Ocean Flag 6 to 36", and the units "K" and "deg".
void add_l1b_extras(const std::string& path);

} // namespace nc_test

} // namespace vardane
