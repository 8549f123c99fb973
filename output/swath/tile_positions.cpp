#include "output/swath/tile_positions.h"

#include <algorithm>
#include <cmath>

namespace vardane {

namespace {

// Place of bordered index i (0 .. n + 1) in pixel units across a raster of n
// pixels: the outer edges for the border, else the centre of pixel i - 1.
double bordered_place(std::int32_t i, std::int32_t n)
{
    if (i <= 0) return 0.0;
    if (i > n) return n;
    return i - 0.5;
}

} // namespace

void tile_positions::line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const
{
    const double d = std::acos(-1.0) / 180.0;
    const double phi = 90.0 - (bordered_place(L, rows_) / rows_ + v_) * 10.0;
    // On a pole the tile's edge is no line; the border there keeps the
    // longitudes of the nearest centres, so that the cells reach the pole
    // without folding into one point.
    const bool pole = phi == 90.0 || phi == -90.0;
    const double phiOfLongitudes =
        pole ? 90.0 - (bordered_place(std::clamp(L, 1, rows_), rows_) / rows_ + v_) * 10.0 : phi;
    const double c = std::cos(phiOfLongitudes * d);
    for (std::int32_t P = 0; P < columns; ++P) {
        lat[P] = static_cast<float>(phi);
        lon[P] = static_cast<float>(((bordered_place(P, columns_) / columns_ + h_) * 10.0 - 180.0) / c);
    }
}

} // namespace vardane
