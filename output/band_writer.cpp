#include "output/band_writer.h"

#include <algorithm>
#include <new>
#include <vector>

#include <gdal_priv.h>

#include "output/column_shift.h"

namespace vardane {

namespace {

// Rows handed to GDAL at a time. After each batch the bands' blocks are
// written out and dropped, so GDAL's block cache never holds more than about
// a megabyte per band: the same few blocks of memory are reused, instead of a
// second copy of the whole raster being faulted in and held until the file
// is closed. Every band of a batch is written before any is flushed, so a
// pixel-interleaved strip still goes to the file once and whole, and the
// strips reach the file in the same order as from one flush at closing.
constexpr std::size_t kBatchBytes = std::size_t(1) << 20;

// Band k's samples of row r: the member of XVal_t that the kind holds (byte
// k - 1 for byte rasters), wherever the raster keeps it.
template <typename T>
sample_row<T> band_row(const output_raster& raster, const raster_layout& layout, int k, std::int32_t r)
{
    const sample_row<T> row = raster.samples<T>(r);
    if (layout.kind == RK_BYTE || layout.kind == RK_RGB) return {row.first() + (k - 1), row.step()};
    return row;
}

// Without a shift or a floor the raster itself is the band's buffer: GDAL
// reads the samples straight from the cells, a cell's width apart, which
// saves a copy of the band.
bool write_in_place(GDALRasterBand& band, const output_raster& raster, const raster_layout& layout, int k,
                    std::int32_t first, std::int32_t count)
{
    const std::int32_t w = raster.width();
    const GSpacing pixel = GSpacing(raster.cell_bytes());
    const GSpacing line = pixel * w;
    // The first sample's address, whatever its type. GDAL's write interface
    // takes a non-const buffer; it only reads it.
    auto* samples = const_cast<std::byte*>(band_row<std::uint8_t>(raster, layout, k, first).first());
    return band.RasterIO(GF_Write, 0, first, w, count, samples, w, count, layout.type, pixel, line, nullptr) == CE_None;
}

// Writes rows [first, first + count) of the band through `buffer`, each
// output pixel taken from the shifted source column through map(sample).
template <typename T, typename Map>
bool write_through(GDALRasterBand& band, const output_raster& raster, const raster_layout& layout, int k,
                   std::int32_t shift, std::int32_t first, std::int32_t count, std::vector<std::uint8_t>& buffer,
                   Map map)
{
    const std::int32_t w = raster.width();
    const column_shift cols(shift, w);
    buffer.resize(std::size_t(w) * std::size_t(count) * sizeof(T));
    T* out = reinterpret_cast<T*>(buffer.data());
    for (std::int32_t r = first; r < first + count; ++r, out += w) {
        const sample_row<T> row = band_row<T>(raster, layout, k, r);
        cols.for_each_run([&](std::int32_t to, std::int32_t from, std::int32_t n) {
            row.copy_to(out + to, std::size_t(from), std::size_t(n));
            for (std::int32_t i = 0; i < n; ++i) out[to + i] = map(out[to + i]);
        });
    }
    return band.RasterIO(GF_Write, 0, first, w, count, buffer.data(), w, count, layout.type, 0, 0, nullptr) == CE_None;
}

// The samples as they are.
constexpr auto kUnchanged = [](auto v) { return v; };

bool write_rows(GDALRasterBand& band, const output_raster& raster, const raster_layout& layout, int k,
                const band_options& o, std::int32_t first, std::int32_t count, std::vector<std::uint8_t>& buffer)
{
    const bool floors = o.floorFloats && layout.kind == RK_FLOAT32;
    if (o.columnShift == 0 && !floors) return write_in_place(band, raster, layout, k, first, count);
    const std::int32_t shift = o.columnShift;
    switch (layout.kind) {
    case RK_UINT16:
        return write_through<std::uint16_t>(band, raster, layout, k, shift, first, count, buffer, kUnchanged);
    case RK_INT16: return write_through<std::int16_t>(band, raster, layout, k, shift, first, count, buffer, kUnchanged);
    case RK_FLOAT32:
        return write_through<float>(band, raster, layout, k, shift, first, count, buffer, [floors](float v) {
            // NaN compares false and so stays NaN.
            return floors && v < kFloatFloor ? kFloatFloor : v;
        });
    case RK_BYTE:
    case RK_RGB: return write_through<std::uint8_t>(band, raster, layout, k, shift, first, count, buffer, kUnchanged);
    case RK_NONE: break;
    }
    return false;
}

} // namespace

std::int32_t rows_per_flush(GDALRasterBand& band, std::size_t rowBytes, std::size_t budgetBytes)
{
    int blockWidth = 0;
    int blockHeight = 0;
    band.GetBlockSize(&blockWidth, &blockHeight);
    const auto blockRows = std::size_t(std::max(1, blockHeight));
    const std::size_t rows = std::max<std::size_t>(1, budgetBytes / std::max<std::size_t>(1, rowBytes));
    const std::size_t blocks = std::max<std::size_t>(1, rows / blockRows);
    return static_cast<std::int32_t>(std::min<std::size_t>(blocks * blockRows, 1u << 30));
}

bool write_raster_bands(GDALDataset& ds, const output_raster& raster, const raster_layout& layout,
                        const band_options& options)
{
    std::vector<GDALRasterBand*> bands;
    for (int k = 1; k <= layout.bands; ++k) {
        GDALRasterBand* band = ds.GetRasterBand(k);
        if (band == nullptr) return false;
        bands.push_back(band);
    }
    const std::int32_t h = raster.height();
    const std::size_t rowBytes = std::size_t(raster.width()) * std::size_t(GDALGetDataTypeSizeBytes(layout.type));
    const std::int32_t step = rows_per_flush(*bands.front(), rowBytes, kBatchBytes);
    try {
        std::vector<std::uint8_t> buffer;
        for (std::int32_t first = 0; first < h; first += step) {
            const std::int32_t count = std::min(step, h - first);
            for (int k = 1; k <= layout.bands; ++k) {
                if (!write_rows(*bands[std::size_t(k - 1)], raster, layout, k, options, first, count, buffer)) {
                    return false;
                }
            }
            for (GDALRasterBand* band : bands) {
                if (band->FlushCache(false) != CE_None) return false;
            }
        }
    } catch (const std::bad_alloc&) {
        // The buffer of a batch of rows could not be allocated.
        return false;
    }
    return true;
}

} // namespace vardane
