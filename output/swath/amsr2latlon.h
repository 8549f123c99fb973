#pragma once

#include <cstdint>

#include "output/output_raster.h"

namespace vardane {

// Position of a low-frequency footprint co-registered onto the 89 GHz A-horn
// scan: the great circle through the A positions [scan][2 pixel] and
// [scan][2 pixel + 1] is followed A1 times their distance, then turned off it
// A2 times that distance. Scan and pixel count from 0.
//
// A position pair outside -90..90 / -180..180 (or beyond the arrays) prints
// the out-of-range warning on standard output and gives -9999 for both.
void amsr2latlon_(const float_grid& lat89A, const float_grid& lon89A, float a1, float a2, std::int32_t scan,
                  std::int32_t pixel, float& lon, float& lat);

} // namespace vardane
