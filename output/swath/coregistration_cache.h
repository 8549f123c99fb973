#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "output/output_raster.h"

namespace vardane {

// Co-registered positions of the low-frequency footprints, one entry per
// band key, kept between the variables of a product: H and V of a band (and
// every later variable of the same key) reuse the positions instead of
// working the great-circle formula again for every pixel.
//
// An entry is valid for the 89 GHz A-horn arrays it was made from (their
// fingerprint), its two factors and its raster size; anything else makes it
// again.
struct coregistration_cache {
    struct entry {
        float a1 = 0.0f;
        float a2 = 0.0f;
        float_grid lon;
        float_grid lat;
    };
    std::uint64_t fingerprint = 0;
    std::map<std::string, entry, std::less<>> bands;
};

// Fingerprint of a pair of geolocation arrays: their shapes and every value.
std::uint64_t geolocation_fingerprint(const float_grid& lat, const float_grid& lon);

// The positions of band key `band` with factors a1, a2 for a rows x columns
// raster, from the cache or made (and cached) from lat89A / lon89A.
const coregistration_cache::entry& coregistered_positions(coregistration_cache& cache, const float_grid& lat89A,
                                                          const float_grid& lon89A, const std::string& band, float a1,
                                                          float a2, std::int32_t rows, std::int32_t columns);

} // namespace vardane
