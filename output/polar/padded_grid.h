#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "output/output_raster.h"
#include "reader/product_types.h"

namespace vardane {

// The source image of the polar warps: a global latitude/longitude raster
// thinned to at most 600 columns, turned so that it runs from -180 degrees,
// and widened by an eighth of its width on each side with the cells of the
// far edge. The overlap lets the warper find the whole hemisphere around the
// date line instead of stopping at the image edge.
struct padded_grid {
    output_raster cells;   // reducedHeight rows of reducedWidth + 2 * pad cells
    std::int32_t step = 1; // every step-th row and column of the source
    std::int32_t reducedWidth = 0;
    std::int32_t reducedHeight = 0;
    std::int32_t shift = 0; // cell pad + j shows reduced column j + shift, wrapped
    std::int32_t pad = 0;
    std::array<double, 6> geoTransform{}; // GDAL order, degrees
};

// Thinning step for a raster of that width: large grids are warped from a
// sample, which is all a polar view of the globe can show anyway.
std::int32_t reduction_step(std::int32_t width);

// Builds the padded grid from a loaded global raster with its corners
// (UL, UR, LL, LR) and geotransform. Float values below -10 become -10 when
// floorFloats is set. Nothing for an empty raster or an unknown kind.
std::optional<padded_grid> make_padded_grid(const output_raster& raster, std::int32_t rasterKind,
                                            const earthPoint_t (&corners)[4], const std::array<double, 6>& geoTransform,
                                            bool floorFloats);

} // namespace vardane
