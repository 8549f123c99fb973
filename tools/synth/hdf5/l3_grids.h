#pragma once
// The eight grids of the radiometer L3 products: two global latitude/longitude
// grids and six polar-stereographic grids (Hughes 1980 ellipsoid, true scale at
// 70 degrees), with the mapping between cells and geographic positions.

#include <optional>
#include <span>
#include <string_view>

namespace vardane {

namespace synth_l3 {

enum class grid_projection { latlon, polar_north, polar_south };

struct l3_grid {
    std::string_view name; // variant name accepted by --set grid=
    int width;
    int height;
    grid_projection projection;
    double pixel_size;   // degrees (latlon) or metres (polar)
    double upper_left_x; // metres, polar grids only
    double upper_left_y;
    double pole_longitude; // straight vertical longitude from the pole, degrees
};

std::span<const l3_grid> all_l3_grids();

// The grid of that name or of that "WIDTHxHEIGHT" size.
std::optional<l3_grid> find_l3_grid(std::string_view name_or_size);
std::optional<l3_grid> find_l3_grid(int width, int height);

struct lat_lon {
    double lat;
    double lon;
};

// Polar stereographic on the Hughes 1980 ellipsoid, true scale at +-70 degrees.
struct xy {
    double x;
    double y;
};
xy polar_forward(const l3_grid& g, lat_lon p);
lat_lon polar_inverse(const l3_grid& g, xy p);

// Centre of cell (row, column); for polar grids a cell outside the projected
// hemisphere still gets a position (the projection covers the whole plane).
lat_lon cell_centre(const l3_grid& g, int row, int column);

// Cell containing p, or nothing outside the grid.
struct cell {
    int row;
    int column;
};
std::optional<cell> cell_of(const l3_grid& g, lat_lon p);

} // namespace synth_l3

} // namespace vardane
