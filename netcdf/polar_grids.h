#pragma once

#include <cstddef>
#include <iterator>

namespace vardane {

// The six polar-stereographic grids of the radiometer L3 products (Hughes
// 1980 ellipsoid, true scale at 70 degrees of the grid's hemisphere) and the
// coordinate tables of the data folder that hold the latitude and longitude
// of their cell centres, one text line per grid line, top line first.
struct polar_grid {
    int lines;
    int pixels;
    double pixelSize;  // metres
    double upperLeftX; // metres, outer corner of the upper-left cell
    double upperLeftY;
    double trueScaleLat; // degrees; negative for the southern grids
    double poleLon;      // degrees: the meridian straight down from the pole
    const char* latTable;
    const char* lonTable;
};

inline constexpr double kHughesSemiMajor = 6378273.0;
inline constexpr double kHughesSemiMinor = 6356889.449;

inline constexpr polar_grid kPolarGrids[] = {
    {1120, 760, 10000, -3850000, 5850000, 70.0, -45.0, "pn_lat_01.csv", "pn_lon_01.csv"},
    {448, 304, 25000, -3850000, 5850000, 70.0, -45.0, "pn_lat_025.csv", "pn_lon_025.csv"},
    {830, 790, 10000, -3950000, 4350000, -70.0, 0.0, "ps_lat_01.csv", "ps_lon_01.csv"},
    {332, 316, 25000, -3950000, 4350000, -70.0, 0.0, "ps_lat_025.csv", "ps_lon_025.csv"},
    {1435, 1080, 10000, -5390000, 6468000, 70.0, 90.0, "snd_pn_lat_01.csv", "snd_pn_lon_01.csv"},
    {574, 432, 25000, -5390000, 6468000, 70.0, 90.0, "snd_pn_lat_025.csv", "snd_pn_lon_025.csv"},
};

// The grid of that many lines; the last grid (574 lines) for any other count.
constexpr const polar_grid& polar_grid_of_lines(std::size_t lines)
{
    for (const auto& g : kPolarGrids) {
        if (static_cast<std::size_t>(g.lines) == lines) return g;
    }
    return kPolarGrids[std::size(kPolarGrids) - 1];
}

} // namespace vardane
