#pragma once

#include <cstdint>
#include <optional>

namespace vardane {

// The global latitude/longitude grids of the radiometer L3 products.
struct l3eqr_grid {
    std::int32_t width;
    std::int32_t height;
    double pixelSize; // degrees
};

inline constexpr l3eqr_grid kL3EqrGrids[] = {
    {3600, 1800, 0.1},
    {1440, 720, 0.25},
};

inline std::optional<l3eqr_grid> find_l3eqr_grid(std::int32_t width, std::int32_t height)
{
    for (const l3eqr_grid& g : kL3EqrGrids) {
        if (g.width == width && g.height == height) return g;
    }
    return std::nullopt;
}

} // namespace vardane
