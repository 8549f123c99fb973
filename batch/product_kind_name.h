#pragma once

#include <string>

#include "reader/product_types.h"

namespace vardane {

// The name a report gives a product kind ("AMSR2_L1B", "GSMAP_HOURLY");
// empty for PT_UNKNOWN and values outside the enumeration.
std::string product_kind_name(productType kind);

} // namespace vardane
