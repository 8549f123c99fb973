#pragma once
// Root-group attributes shared by the radiometer products.

#include <H5Cpp.h>

#include <string>

#include "h5_writer.h"
#include "radiometer_names.h"

namespace vardane {

namespace synth_radiometer {

struct root_attributes {
    std::string product_name;     // "ProductName", e.g. "AMSR2-L1B"
    std::string granule;          // "GranuleID"
    std::string geophysical_name; // "GeophysicalName" (L2, L3), empty for none
    bool co_registration = false; // "CoRegistrationParameterA1"/"A2"
};

void write_root_attributes(const H5::H5File& file, const sensor& s, const root_attributes& a,
                           synth_h5::string_layout layout);

// Granule identifier of a synthetic product: prefix, fixed start time, level tag.
std::string granule_id(const sensor& s, const std::string& level_tag);

} // namespace synth_radiometer

} // namespace vardane
