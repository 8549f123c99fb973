#pragma once

#include <array>
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

// The part of that formula every band shares: the pair's great circle, as
// unit vectors (the first position p1 and the circle's normal n) and the
// pair's angular distance. Made once per footprint, it serves all bands,
// whose factors only turn along it; a full orbit holds half a million.
struct coregistration_frame {
    std::array<double, 3> p1{};
    std::array<double, 3> n{};
    double theta = 0.0;
    bool lost = true; // a position of the pair out of range or beyond the arrays
};

coregistration_frame coregistration_frame_of(const float_grid& lat89A, const float_grid& lon89A, std::int32_t scan,
                                             std::int32_t pixel);

// The footprint of factors a1, a2 on its frame; -9999 for both where the
// frame is lost. Prints nothing: see warn_lost_footprint.
void coregistered_point(const coregistration_frame& frame, float a1, float a2, float& lon, float& lat);

// The out-of-range warning amsr2latlon_ prints for the lost footprint of
// scan and pixel (when tracing).
void warn_lost_footprint(const float_grid& lat89A, const float_grid& lon89A, std::int32_t scan, std::int32_t pixel);

// The position both give a lost footprint.
inline constexpr float kLostFootprint = -9999.0f;

} // namespace vardane
