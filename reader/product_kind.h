#pragma once

#include <cstdint>
#include <span>

#include "reader/product_types.h"

namespace vardane {

// What the rest of the program decides from a product kind alone. The facts
// sit in the reader's one row per kind, so a new kind is described once.
struct product_kind_facts {
    bool l1LatLon = false;           // level-1 swath: the NetCDF copy treats its latitude/longitude
    bool skipByteAttributes = false; // the NetCDF copy leaves its byte attributes out
    bool radiometerL3 = false;       // radiometer L3 grid: grid coordinates, polar-stereo variants
    bool netcdfCapable = false;      // a NetCDF copy of the file can be made
    bool radiometer = false;         // AMSR2 / AMSR-E: counts that use the radiometers' no-value codes
};

// Facts of a kind; nullptr for a kind without any (the JASMES kinds, PT_UNKNOWN).
const product_kind_facts* product_kind_facts_of(productType kind);

// The same facts, false for a kind without any.
bool is_l1_latlon_kind(productType kind);
bool skips_byte_attributes(productType kind);
bool is_radiometer_l3_kind(productType kind);
bool is_netcdf_capable(productType kind);

// The stored counts a product of this kind writes where it has no value
// (missing, out of range, outside the observation); empty where the kind
// has none of its own.
std::span<const std::int32_t> stored_fill_values(productType kind);

} // namespace vardane
