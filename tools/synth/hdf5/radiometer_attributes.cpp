#include "radiometer_attributes.h"

#include "synth_known_values.h"

namespace vardane {

namespace synth_radiometer {

void write_coregistration(const H5::H5Object& obj, const std::string& name, const std::string& value,
                          synth_variants::coregistration_form form, synth_h5::string_layout layout)
{
    using form_t = synth_variants::coregistration_form;
    switch (form) {
    case form_t::as_text: synth_h5::write_attr_string(obj, name, value, layout); return;
    case form_t::utf8: synth_h5::write_attr_string(obj, name, value, synth_h5::string_layout::vlen_scalar_utf8); return;
    case form_t::utf8_fixed:
        synth_h5::write_attr_string(obj, name, value, synth_h5::string_layout::fixed_1d_utf8);
        return;
    case form_t::number: synth_h5::write_attr_float(obj, name, 0.5f); return;
    }
}

void write_root_attributes(const H5::H5File& file, const sensor& s, const root_attributes& a,
                           synth_h5::string_layout layout)
{
    using synth_h5::write_attr_string;
    write_attr_string(file, "ProductName", a.product_name, layout);
    write_attr_string(file, "GranuleID", a.granule, layout);
    write_attr_string(file, "PlatformShortName", s.product_prefix == "AMSR2" ? "GCOM-W1" : "Aqua", layout);
    write_attr_string(file, "SensorShortName", std::string(s.product_prefix), layout);
    if (!a.geophysical_name.empty()) write_attr_string(file, "GeophysicalName", a.geophysical_name, layout);
    if (a.co_registration) {
        write_coregistration(file, "CoRegistrationParameterA1", synth_known::kCoRegA1, a.co_registration_form, layout);
        write_coregistration(file, "CoRegistrationParameterA2", synth_known::kCoRegA2, a.co_registration_form, layout);
    }
}

std::string granule_id(const sensor& s, const std::string& level_tag)
{
    return std::string(s.granule_prefix) + "_201907010130_SYN_" + level_tag;
}

} // namespace synth_radiometer

} // namespace vardane
