#include "radiometer_attributes.h"

#include "synth_known_values.h"

namespace vardane {

namespace synth_radiometer {

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
        write_attr_string(file, "CoRegistrationParameterA1", synth_known::kCoRegA1, layout);
        write_attr_string(file, "CoRegistrationParameterA2", synth_known::kCoRegA2, layout);
    }
}

std::string granule_id(const sensor& s, const std::string& level_tag)
{
    return std::string(s.granule_prefix) + "_201907010130_SYN_" + level_tag;
}

} // namespace synth_radiometer

} // namespace vardane
