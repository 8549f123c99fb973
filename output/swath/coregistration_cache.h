#pragma once

#include <cstdint>
#include <map>
#include <span>
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
// again.
struct coregistration_cache {
    struct entry {
        float a1 = 0.0f;
        float a2 = 0.0f;
        float_grid lon;
        float_grid lat;
        // The scans of lon and lat worked out: a part of a swath placed
        // alone makes its own scans only.
        std::vector<bool> made;
        bool warned = false; // of its lost footprints, in a traced run
    };
    std::uint64_t fingerprint = 0;
    std::map<std::string, entry, std::less<>> bands;
};

// A band key and its factors.
struct band_factors {
    std::string band;
    float a1 = 0.0f;
    float a2 = 0.0f;
};

// Fingerprint of a pair of geolocation arrays: their shapes and every value.
std::uint64_t geolocation_fingerprint(const float_grid& lat, const float_grid& lon);

// The positions of band `asked` for a rows x columns raster, from the cache
// or made (and cached) from lat89A / lon89A. The product's `other` bands
// not in the cache are made with it: the part of the formula all bands
// share is worked out once a footprint for all of them, and kept for none
// (a full orbit's would take 30 MB). A traced run prints a band's warnings
// on its lost footprints when the band is first asked for, in scan order.
const coregistration_cache::entry& coregistered_positions(coregistration_cache& cache, const float_grid& lat89A,
                                                          const float_grid& lon89A, const band_factors& asked,
                                                          std::span<const band_factors> other, std::int32_t rows,
                                                          std::int32_t columns);

// The same for scans [first, first + count) alone, which the entry then
// holds (its other scans only where made before), with the same scans of
// the `other` bands; nothing is printed.
const coregistration_cache::entry& coregistered_scans(coregistration_cache& cache, const float_grid& lat89A,
                                                      const float_grid& lon89A, const band_factors& asked,
                                                      std::span<const band_factors> other, std::int32_t rows,
                                                      std::int32_t columns, std::int32_t first, std::int32_t count);

} // namespace vardane
