#pragma once

#include <cstdint>
#include <optional>

#include "output/polar/polar_grid_choice.h"

namespace vardane {

// One hemisphere of a published polar grid: its EPSG reference system and
// its pixels, the corner given as the outer edge of the first pixel.
struct polar_target_grid {
    std::int32_t epsg;
    std::int32_t width;
    std::int32_t height;
    double pixelSize; // metres
    double left;      // metres
    double top;       // metres
};

// The NSIDC sea-ice grids (Hughes 1980 ellipsoid, true scale at 70 degrees)
// share their extents with the radiometer's own L3 polar grids; the 12.5 km
// grids halve the pixel over the same extent. EASE-Grid 2.0 is a Lambert
// azimuthal equal-area grid on WGS 84, 720 x 720 pixels of 25 km.
struct polar_published_grid {
    polar_grid grid;
    polar_target_grid north;
    polar_target_grid south;
};

inline constexpr polar_published_grid kPublishedPolarGrids[] = {
    {polar_grid::nsidc_25km,
     {3411, 304, 448, 25000.0, -3850000.0, 5850000.0},
     {3412, 316, 332, 25000.0, -3950000.0, 4350000.0}},
    {polar_grid::nsidc_12_5km,
     {3411, 608, 896, 12500.0, -3850000.0, 5850000.0},
     {3412, 632, 664, 12500.0, -3950000.0, 4350000.0}},
    {polar_grid::ease2_25km,
     {6931, 720, 720, 25000.0, -9000000.0, 9000000.0},
     {6932, 720, 720, 25000.0, -9000000.0, 9000000.0}},
};

// The published grid of a hemisphere; nothing for `quick_look` and
// `native`, which have none.
inline std::optional<polar_target_grid> published_polar_grid(polar_grid grid, bool north)
{
    for (const polar_published_grid& g : kPublishedPolarGrids) {
        if (g.grid == grid) return north ? g.north : g.south;
    }
    return std::nullopt;
}

} // namespace vardane
