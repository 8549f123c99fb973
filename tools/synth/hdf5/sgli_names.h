#pragma once
// The datasets of each SGLI product, as data: name, sample type, what the
// samples mean, and whether the band is stored at a quarter of the resolution.

#include <span>
#include <string_view>

namespace vardane {

namespace synth_sgli {

enum class sample_type { u16, u8 };

enum class role {
    radiance,    // 16-bit DN with Mask / Minimum_valid_DN / Maximum_valid_DN
    quality,     // QA bits
    land_water,  // land/water flag
    ocean_value, // geophysical value over water, fill over land
    land_value,  // geophysical value over land, fill over water
    any_value,   // geophysical value everywhere
    cloud,       // cloud probability or cloud flag
};

struct dataset {
    std::string_view name;
    sample_type type;
    role what;
    bool quarter = false; // stored at a quarter of the lines and pixels
};

enum class sgli_product { vnr, pol, irs, nwlr, iwpr, sst, ltoa, rsrf, lst, clfg };

struct product {
    sgli_product id;
    std::string_view code;  // product code in the file name
    std::string_view level; // "1BSG" or "L2SG"
    bool tile;              // daily 10-degree tile instead of a scene
    bool full_geolocation;  // latitude/longitude per pixel instead of tie points
    int default_lines;
    int default_pixels;
    int full_lines;
    int full_pixels;
};

const product& product_of(sgli_product id);
std::span<const dataset> datasets_of(sgli_product id);

} // namespace synth_sgli

} // namespace vardane
