#pragma once
// Root-group attributes shared by the radiometer products.

#include <H5Cpp.h>

#include <string>

#include "h5_writer.h"
#include "radiometer_names.h"
#include "synth_variants.h"

namespace vardane {

namespace synth_radiometer {

struct root_attributes {
    std::string product_name;     // "ProductName", e.g. "AMSR2-L1B"
    std::string granule;          // "GranuleID"
    std::string geophysical_name; // "GeophysicalName" (L2, L3), empty for none
    bool co_registration = false; // "CoRegistrationParameterA1"/"A2"
    synth_variants::coregistration_form co_registration_form = synth_variants::coregistration_form::as_text;
};

// One co-registration attribute in the form asked for (`layout` when as text).
void write_coregistration(const H5::H5Object& obj, const std::string& name, const std::string& value,
                          synth_variants::coregistration_form form, synth_h5::string_layout layout);

void write_root_attributes(const H5::H5File& file, const sensor& s, const root_attributes& a,
                           synth_h5::string_layout layout);

// Granule identifier of a synthetic product: prefix, fixed start time, level tag.
std::string granule_id(const sensor& s, const std::string& level_tag);

} // namespace synth_radiometer

} // namespace vardane
