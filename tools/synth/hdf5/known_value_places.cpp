// Where the markers of synth_known_values.h sit on each kind of grid.
#include <cmath>
#include <numbers>

#include "l3_grids.h"
#include "synth_known_values.h"

namespace vardane {

namespace synth_known {

namespace {

std::optional<stored_index> index_if_inside(double first, double second, int n_first, int n_second)
{
    const auto a = static_cast<long long>(std::floor(first));
    const auto b = static_cast<long long>(std::floor(second));
    if (a < 0 || b < 0 || a >= n_first || b >= n_second) return std::nullopt;
    return stored_index{static_cast<std::size_t>(a), static_cast<std::size_t>(b)};
}

} // namespace

std::optional<stored_index> l3_marker_cell(int width, int height)
{
    const auto grid = synth_l3::find_l3_grid(width, height);
    if (!grid) return std::nullopt;
    synth_l3::lat_lon p{kMarkerLat, kMarkerLon};
    if (grid->projection == synth_l3::grid_projection::polar_north) p = {kMarkerNorthLat, kMarkerNorthLon};
    if (grid->projection == synth_l3::grid_projection::polar_south) p = {kMarkerSouthLat, kMarkerSouthLon};
    const auto c = synth_l3::cell_of(*grid, p);
    if (!c) return std::nullopt;
    return stored_index{static_cast<std::size_t>(c->row), static_cast<std::size_t>(c->column)};
}

stored_index gsmap_marker_cell(int nlon, int nlat)
{
    const double x = (kMarkerLon + 180.0) / (360.0 / nlon);
    const double y = (kMarkerLat + 90.0) / (180.0 / nlat);
    return index_if_inside(x, y, nlon, nlat).value_or(stored_index{});
}

stored_index dpr_marker_cell(int nlon, int nlat)
{
    const double x = (kMarkerLon + 180.0) / (360.0 / nlon);
    const double y = (kMarkerLat + 67.0) / (134.0 / nlat);
    return index_if_inside(x, y, nlon, nlat).value_or(stored_index{});
}

std::optional<stored_index> tile_marker_cell(int h, int v, int rows, int columns)
{
    const double coslat = std::cos(kMarkerLat * std::numbers::pi / 180.0);
    const double row = ((90.0 - kMarkerLat) / 10.0 - v) * rows;
    const double column = ((kMarkerLon * coslat + 180.0) / 10.0 - h) * columns;
    return index_if_inside(row, column, rows, columns);
}

} // namespace synth_known

} // namespace vardane
