#pragma once

#include <cstdint>
#include <string>

#include "reader/spinfo.h"

namespace vardane {

// The CF "units" of parameter idx: the unit its dataset states, written as
// the netCDF copy writes it; "" when it states none, or states that none
// applies ("NA").
std::string cf_units(const spinfo& info, std::uint32_t idx);

} // namespace vardane
