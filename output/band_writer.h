#pragma once

#include <cstddef>
#include <cstdint>

#include "output/output_raster.h"
#include "output/raster_layout.h"

class GDALDataset;
class GDALRasterBand;

namespace vardane {

// How the raster is laid into the file's bands.
struct band_options {
    std::int32_t columnShift = 0; // output column c shows source column c + shift (wrapped)
    bool floorFloats = false;     // float values below -10 are written as -10
};

// Lowest float written when flooring: fill values such as -9999 would
// otherwise dominate the value range of a float image.
inline constexpr float kFloatFloor = -10.0f;

// Rows of `rowBytes` each to hand GDAL between two flushes of the band,
// about `budgetBytes` worth: whole rows of the band's blocks, at least one,
// so that no block (a compressed tile above all) is written twice.
std::int32_t rows_per_flush(GDALRasterBand& band, std::size_t rowBytes, std::size_t budgetBytes);

// Writes every band of layout from raster into ds, a batch of rows of every
// band at a time, each batch flushed to the file before the next. False as
// soon as a band is missing or a write fails.
bool write_raster_bands(GDALDataset& ds, const output_raster& raster, const raster_layout& layout,
                        const band_options& options);

} // namespace vardane
