#include "output/swath/tile_positions.h"

#include <cmath>

namespace vardane {

void tile_positions::line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const
{
    const double d = std::acos(-1.0) / 180.0;
    const double phi = 90.0 - ((L + 0.5) / rows_ + v_) * 10.0;
    const bool pole = phi == 90.0 || phi == -90.0;
    const double c = std::cos(phi * d);
    for (std::int32_t P = 0; P < columns; ++P) {
        lat[P] = static_cast<float>(phi);
        lon[P] = pole ? 0.0f : static_cast<float>((((P + 0.5) / columns_ + h_) * 10.0 - 180.0) / c);
    }
}

} // namespace vardane
