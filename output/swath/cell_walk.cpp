#include "output/swath/cell_walk.h"
#include "output/swath/position_range.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace vardane {

namespace {

// The corner values of the cells: the raster's, with its edge pixels
// repeated around it when the positions are bordered.
class corner_grid {
public:
    corner_grid(const output_raster& raster, const corner_value& value, bool bordered)
        : raster_(raster), value_(value), border_(bordered ? 1 : 0)
    {
    }
    std::int32_t rows() const { return raster_.height() + 2 * border_; }
    std::int32_t columns() const { return raster_.width() + 2 * border_; }
    std::int32_t at(std::int32_t L, std::int32_t P) const
    {
        const std::int32_t r = std::clamp(L - border_, 0, raster_.height() - 1);
        const std::int32_t c = std::clamp(P - border_, 0, raster_.width() - 1);
        return value_(raster_.cell(r, c));
    }

private:
    const output_raster& raster_;
    const corner_value& value_;
    std::int32_t border_;
};

// One line of corners: its positions, and (filled only when a cell of the
// line is drawn) each grid's corner values and the places in the window.
struct line_state {
    std::vector<float> lon, lat;
    std::vector<std::int32_t> value; // grid k's at [k * columns, (k + 1) * columns)
    std::vector<view_mapping::grid_point> place;
    // Whether the corner has a value of grid k and a position, at k * columns + P.
    std::vector<std::uint8_t> usable;
    // Range of the positions that are not lost; empty when none is usable.
    position_range range;
    bool prepared = false;

    line_state(std::int32_t columns, std::size_t grids)
        : lon(std::size_t(columns)), lat(std::size_t(columns)), value(std::size_t(columns) * grids),
          place(std::size_t(columns)), usable(std::size_t(columns) * grids)
    {
    }

    std::size_t columns() const { return lon.size(); }
    std::int32_t value_of(std::size_t grid, std::size_t P) const { return value[grid * columns() + P]; }

    void load(const position_source& positions, std::int32_t L)
    {
        const auto n = static_cast<std::int32_t>(columns());
        positions.line(L, n, lon.data(), lat.data());
        range = position_range{};
        prepared = false;
        for (std::int32_t P = 0; P < n; ++P) range.add(lon[P], lat[P]);
    }

    void prepare(const gt_projector& projector, std::span<const corner_grid> values, std::int32_t L)
    {
        if (prepared) return;
        const std::size_t n = columns();
        for (std::size_t P = 0; P < n; ++P) place[P] = projector.locate(lon[P], lat[P]);
        for (std::size_t k = 0; k < values.size(); ++k) {
            for (std::size_t P = 0; P < n; ++P) {
                value[k * n + P] = values[k].at(L, std::int32_t(P));
                usable[k * n + P] = value[k * n + P] != projector.nodata() && !position_is_lost(lon[P], lat[P]);
            }
        }
        prepared = true;
    }
};

// True when no cell between the two lines can hold the centre of a pixel of
// the window's `rows`.
// Cells touching a lost position are skipped anyway, so the ranges leave
// those out. Rows of the grid fall as the latitude rises; columns rise with
// the longitude as long as no cell can cross the date line.
bool outside_window(const gt_projector& projector, const line_state& a, const line_state& b, grid_rows rows)
{
    // Every cell reaches both lines: a line without any usable position
    // leaves no cell to draw.
    if (!a.range.any || !b.range.any) return true;
    const float lonMin = std::min(a.range.lonMin, b.range.lonMin);
    const float lonMax = std::max(a.range.lonMax, b.range.lonMax);
    const float latMin = std::min(a.range.latMin, b.range.latMin);
    const float latMax = std::max(a.range.latMax, b.range.latMax);
    // Pixel centres lie at 0.5 .. size - 0.5 in grid units.
    const auto northWest = projector.locate(lonMin, latMax);
    const auto southEast = projector.locate(lonMax, latMin);
    if (southEast.y < rows.first + 0.5 || northWest.y > rows.end - 0.5) return true;
    if (lonMax - lonMin > 180.0f || lonMax >= 180.0f) return false;
    return southEast.x < 0.5 || northWest.x > projector.getWidth() - 0.5;
}

} // namespace

void walk_cells(gt_projector& projector, const position_source& positions, const output_raster& raster,
                const corner_value& value)
{
    walk_cells(projector, positions, raster, value, projector.all_rows());
}

void walk_cells(gt_projector& projector, const position_source& positions, const output_raster& raster,
                const corner_value& value, grid_rows band)
{
    const drawn_grid grid{projector, raster, value};
    walk_cells(std::span<const drawn_grid>(&grid, 1), positions, band);
}

namespace {

// The corners of the cell between pixels `left` and left + 1 of two lines,
// in ring order, with the values of grid k.
inline cell_corners ring_of(const line_state& upper, const line_state& lower, std::size_t left, std::size_t k)
{
    const std::size_t right = left + 1;
    return {point_t{upper.lon[left], upper.lat[left], upper.value_of(k, left), false},
            point_t{lower.lon[left], lower.lat[left], lower.value_of(k, left), false},
            point_t{lower.lon[right], lower.lat[right], lower.value_of(k, right), false},
            point_t{upper.lon[right], upper.lat[right], upper.value_of(k, right), false}};
}

// Every cell of the grids' rasters that may reach the band, handed to
// draw(upper, lower, left, places) with the lines around it and its
// corners' places in the window.
template <typename Draw>
void each_cell(std::span<const drawn_grid> grids, const position_source& positions, grid_rows band, Draw&& draw)
{
    if (grids.empty() || band.first >= band.end) return;
    const output_raster& raster = grids[0].raster;
    if (raster.height() < 1 || raster.width() < 1) return;
    std::vector<corner_grid> values;
    for (const drawn_grid& g : grids) values.emplace_back(g.raster, g.value, positions.bordered());
    const gt_projector& window = grids[0].projector;
    const std::int32_t rows = values[0].rows();
    const std::int32_t columns = values[0].columns();
    if (rows < 2 || columns < 2) return;
    line_state upper(columns, grids.size());
    line_state lower(columns, grids.size());
    upper.load(positions, 0);
    for (std::int32_t l = 0; l + 1 < rows; ++l) {
        lower.load(positions, l + 1);
        if (!outside_window(window, upper, lower, band)) {
            upper.prepare(window, values, l);
            lower.prepare(window, values, l + 1);
            for (std::size_t left = 0; left + 1 < std::size_t(columns); ++left) {
                const grid_corners places{upper.place[left], lower.place[left], lower.place[left + 1],
                                          upper.place[left + 1]};
                draw(upper, lower, left, places);
            }
        }
        std::swap(upper, lower);
    }
}

} // namespace

void walk_cells(std::span<const drawn_grid> grids, const position_source& positions, grid_rows band)
{
    if (grids.size() == 1) {
        // One grid, as most conversions draw: no stack to fill.
        gt_projector& projector = grids[0].projector;
        each_cell(grids, positions, band,
                  [&](const line_state& upper, const line_state& lower, std::size_t left, const grid_corners& places) {
                      // The four corners' values and positions, checked once a line.
                      if (upper.usable[left] & lower.usable[left] & lower.usable[left + 1] & upper.usable[left + 1]) {
                          projector.put_whole_cell(ring_of(upper, lower, left, 0), places, band);
                      }
                  });
        return;
    }
    std::vector<gt_projector*> projectors;
    for (const drawn_grid& g : grids) projectors.push_back(&g.projector);
    std::vector<cell_corners> cells(grids.size());
    each_cell(grids, positions, band,
              [&](const line_state& upper, const line_state& lower, std::size_t left, const grid_corners& places) {
                  for (std::size_t k = 0; k < cells.size(); ++k) cells[k] = ring_of(upper, lower, left, k);
                  gt_projector::put_val_bl(projectors, cells, places, band);
              });
}

namespace {

std::atomic<unsigned>& threads_to_draw_with()
{
    static std::atomic<unsigned> threads{1};
    return threads;
}

} // namespace

void set_drawing_threads(unsigned threads) { threads_to_draw_with() = std::max(1u, threads); }

unsigned drawing_threads() { return threads_to_draw_with(); }

void walk_cells_in_bands(gt_projector& projector, const position_source& positions, const output_raster& raster,
                         const corner_value& value, unsigned threads)
{
    const drawn_grid grid{projector, raster, value};
    walk_cells_in_bands(std::span<const drawn_grid>(&grid, 1), positions, threads);
}

void walk_cells_in_bands(std::span<const drawn_grid> grids, const position_source& positions, unsigned threads)
{
    if (grids.empty()) return;
    const std::int32_t height = grids[0].projector.getHeight();
    const auto bands = static_cast<std::int32_t>(std::clamp<std::int64_t>(threads, 1, std::max(height, 1)));
    const auto rows_of = [&](std::int32_t i) {
        return grid_rows{std::int32_t(std::int64_t(height) * i / bands),
                         std::int32_t(std::int64_t(height) * (i + 1) / bands)};
    };
    // A failure (memory for a line) is the call's, once every band is done.
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(bands));
    const auto walk = [&](std::int32_t i) {
        try {
            walk_cells(grids, positions, rows_of(i));
        } catch (...) {
            failures[std::size_t(i)] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        std::int32_t started = 1;
        for (; started < bands; ++started) {
            try {
                helpers.emplace_back(walk, started);
            } catch (const std::system_error&) {
                break; // no thread to be had (a worker's memory limit): walked here
            }
        }
        walk(0);
        for (std::int32_t i = started; i < bands; ++i) walk(i);
    } // joined
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

} // namespace vardane
