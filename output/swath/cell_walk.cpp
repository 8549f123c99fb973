#include "output/swath/cell_walk.h"
#include "output/swath/position_range.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vardane {

namespace {

// One raster line: its positions, and (filled only when a cell of the line
// is drawn) its corner values and grid positions.
struct line_state {
    std::vector<float> lon, lat;
    std::vector<std::int32_t> value;
    std::vector<int> gx, gy;
    // Range of the positions that are not lost; empty when none is usable.
    position_range range;
    bool prepared = false;

    explicit line_state(std::int32_t columns)
        : lon(std::size_t(columns)), lat(std::size_t(columns)), value(std::size_t(columns)), gx(std::size_t(columns)),
          gy(std::size_t(columns))
    {
    }

    void load(const position_source& positions, std::int32_t L)
    {
        const auto columns = static_cast<std::int32_t>(lon.size());
        positions.line(L, columns, lon.data(), lat.data());
        range = position_range{};
        prepared = false;
        for (std::int32_t P = 0; P < columns; ++P) range.add(lon[P], lat[P]);
    }

    void prepare(const gt_projector& projector, const output_raster& raster, std::int32_t L, const corner_value& v)
    {
        if (prepared) return;
        for (std::size_t P = 0; P < lon.size(); ++P) {
            value[P] = v(raster.cell(L, std::int32_t(P)));
            projector.getXY(lon[P], lat[P], gx[P], gy[P]);
        }
        prepared = true;
    }
};

// True when no cell between the two lines can reach a pixel of the window.
// Cells touching a lost position are skipped anyway, so the ranges leave
// those out. Rows of the grid fall as the latitude rises; columns rise with
// the longitude as long as no cell can cross the date line.
bool outside_window(const gt_projector& projector, const line_state& a, const line_state& b)
{
    // Every cell reaches both lines: a line without any usable position
    // leaves no cell to draw.
    if (!a.range.any || !b.range.any) return true;
    const float lonMin = std::min(a.range.lonMin, b.range.lonMin);
    const float lonMax = std::max(a.range.lonMax, b.range.lonMax);
    const float latMin = std::min(a.range.latMin, b.range.latMin);
    const float latMax = std::max(a.range.latMax, b.range.latMax);
    int x = 0, yTop = 0, yBottom = 0;
    projector.getXY(lonMin, latMax, x, yTop);
    projector.getXY(lonMin, latMin, x, yBottom);
    if (yBottom <= 0 || yTop >= projector.getHeight()) return true;
    if (lonMax - lonMin > 180.0f || lonMax >= 180.0f) return false;
    int xLeft = 0, xRight = 0, y = 0;
    projector.getXY(lonMin, latMin, xLeft, y);
    projector.getXY(lonMax, latMin, xRight, y);
    return xRight <= 0 || xLeft >= projector.getWidth();
}

} // namespace

void walk_cells(gt_projector& projector, const position_source& positions, const output_raster& raster,
                const corner_value& value)
{
    const std::int32_t rows = raster.height();
    const std::int32_t columns = raster.width();
    if (rows < 2 || columns < 2) return;
    line_state upper(columns);
    line_state lower(columns);
    upper.load(positions, 0);
    cell_corners c{};
    std::array<int, 4> gx{};
    std::array<int, 4> gy{};
    for (std::int32_t l = 0; l + 1 < rows; ++l) {
        lower.load(positions, l + 1);
        if (!outside_window(projector, upper, lower)) {
            upper.prepare(projector, raster, l, value);
            lower.prepare(projector, raster, l + 1, value);
            for (std::int32_t p = 0; p + 1 < columns; ++p) {
                const std::size_t left = std::size_t(p);
                const std::size_t right = left + 1;
                c[0] = point_t{upper.lon[left], upper.lat[left], upper.value[left], false};
                c[1] = point_t{lower.lon[left], lower.lat[left], lower.value[left], false};
                c[2] = point_t{lower.lon[right], lower.lat[right], lower.value[right], false};
                c[3] = point_t{upper.lon[right], upper.lat[right], upper.value[right], false};
                gx = {upper.gx[left], lower.gx[left], lower.gx[right], upper.gx[right]};
                gy = {upper.gy[left], lower.gy[left], lower.gy[right], upper.gy[right]};
                projector.put_val_bl(c, gx, gy);
            }
        }
        std::swap(upper, lower);
    }
}

} // namespace vardane
