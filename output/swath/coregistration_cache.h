#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "output/output_raster.h"
#include "output/swath/amsr2latlon.h"

namespace vardane {

// Co-registered positions of the low-frequency footprints, one entry per
// band key, kept between the variables of a product: H and V of a band (and
// every later variable of the same key) reuse the positions instead of
// working the great-circle formula again for every pixel.
//
// An entry is valid for the 89 GHz A-horn arrays it was made from (their
// fingerprint), its two factors and its raster size; anything else makes it
// again. The footprints' frames, which all bands share, are kept beside the
// entries for the same arrays and raster size, so that a band after the
// first only turns along them.
struct coregistration_cache {
    struct entry {
        float a1 = 0.0f;
        float a2 = 0.0f;
        float_grid lon;
        float_grid lat;
    };
    std::uint64_t fingerprint = 0;
    std::map<std::string, entry, std::less<>> bands;
    // Row-major, framesRows x framesColumns.
    std::vector<coregistration_frame> frames;
    std::int32_t framesRows = 0;
    std::int32_t framesColumns = 0;
};

// Fingerprint of a pair of geolocation arrays: their shapes and every value.
std::uint64_t geolocation_fingerprint(const float_grid& lat, const float_grid& lon);

// The positions of band key `band` with factors a1, a2 for a rows x columns
// raster, from the cache or made (and cached) from lat89A / lon89A.
const coregistration_cache::entry& coregistered_positions(coregistration_cache& cache, const float_grid& lat89A,
                                                          const float_grid& lon89A, const std::string& band, float a1,
                                                          float a2, std::int32_t rows, std::int32_t columns);

// Frees the frames: once every band of the product has its positions they
// serve no more, and a full orbit's take tens of megabytes.
void release_frames(coregistration_cache& cache);

} // namespace vardane
