#include "output/polar/padded_grid.h"

#include <cmath>

#include "output/band_writer.h"
#include "output/column_shift.h"
#include "output/xval.h"

namespace vardane {

namespace {

// Largest width first: the first row whose width the raster exceeds wins.
struct step_rule {
    std::int32_t aboveWidth;
    std::int32_t step;
};
constexpr step_rule kStepRules[] = {{3600, 12}, {1440, 6}, {600, 3}};

bool known_kind(std::int32_t kind)
{
    return kind == RK_UINT16 || kind == RK_BYTE || kind == RK_RGB || kind == RK_FLOAT32 || kind == RK_INT16;
}

std::int32_t ceil_div(std::int32_t n, std::int32_t d) { return (n + d - 1) / d; }

} // namespace

std::int32_t reduction_step(std::int32_t width)
{
    for (const step_rule& r : kStepRules) {
        if (width > r.aboveWidth) return r.step;
    }
    return 1;
}

std::optional<padded_grid> make_padded_grid(const output_raster& raster, std::int32_t rasterKind,
                                            const earthPoint_t (&corners)[4], const std::array<double, 6>& geoTransform,
                                            bool floorFloats)
{
    if (raster.empty() || !known_kind(rasterKind)) return std::nullopt;

    padded_grid g;
    g.step = reduction_step(raster.width());
    g.reducedWidth = ceil_div(raster.width(), g.step);
    g.reducedHeight = ceil_div(raster.height(), g.step);

    // Nearest whole column (halves up) that brings the grid's centre
    // longitude to 0: a grid running 0..360 turns by half its width.
    const double centre = (corners[corner::UR].lon + corners[corner::UL].lon) / 2.0;
    g.shift = std::int32_t(std::floor(-centre / 360.0 * g.reducedWidth + 0.5));
    g.pad = std::int32_t(g.reducedWidth * 0.125);

    const std::int32_t paddedWidth = g.reducedWidth + 2 * g.pad;
    g.cells.reset(paddedWidth, g.reducedHeight);
    const column_shift cols(g.shift, g.reducedWidth);
    const bool floors = floorFloats && rasterKind == RK_FLOAT32;
    for (std::int32_t r = 0; r < g.reducedHeight; ++r) {
        const auto out = g.cells.row(r);
        for (std::int32_t j = 0; j < g.reducedWidth; ++j) {
            XVal_t v = raster.cell(r * g.step, cols.source(j) * g.step);
            // NaN compares false and so stays NaN.
            if (floors && v.f32 < kFloatFloor) v.f32 = kFloatFloor;
            out[std::size_t(g.pad + j)] = v;
        }
        for (std::int32_t k = 0; k < g.pad; ++k) {
            out[std::size_t(g.pad + g.reducedWidth + k)] = out[std::size_t(g.pad + k)];
            out[std::size_t(g.pad - 1 - k)] = out[std::size_t(g.pad + g.reducedWidth - 1 - k)];
        }
    }

    // One reduced column is exactly 1/reducedWidth of the turn. The origin
    // moves by the columns actually turned, then out by the left padding.
    const double pixelWidth = 360.0 / g.reducedWidth;
    g.geoTransform = {geoTransform[0] + g.shift * pixelWidth - g.pad * pixelWidth,
                      pixelWidth,
                      geoTransform[2],
                      geoTransform[3],
                      geoTransform[4],
                      -180.0 / g.reducedHeight};
    return g;
}

} // namespace vardane
