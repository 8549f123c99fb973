#include "python/parameter_units.h"

#include "netcdf/attribute_translation.h"

namespace vardane {

std::string cf_units(const spinfo& info, std::uint32_t idx)
{
    const std::string stated = info.unit_text(idx);
    if (stated == "NA") return {};
    // The variable name only tells the scan times apart, and no parameter
    // is one.
    return units_of(info.dataset_name(idx), std::string(), stated).value_or(std::string());
}

} // namespace vardane
