#include "output/band_writer.h"

#include <cmath>
#include <new>
#include <vector>

#include <gdal_priv.h>

#include "output/column_shift.h"

namespace {

// Fills a width x height plane row by row from the top, taking each output
// pixel from the shifted source column through sample(cell).
template <typename T, typename Sample>
std::vector<T> fill_plane(const output_raster& raster, std::int32_t shift, Sample sample)
{
    const std::int32_t w = raster.width();
    const std::int32_t h = raster.height();
    const column_shift cols(shift, w);
    std::vector<T> plane(std::size_t(w) * std::size_t(h));
    T* out = plane.data();
    for (std::int32_t r = 0; r < h; ++r, out += w) {
        const XVal_t* row = raster.row(r).data();
        cols.for_each_run([&](std::int32_t first, std::int32_t source, std::int32_t count) {
            for (std::int32_t i = 0; i < count; ++i) out[first + i] = sample(row[source + i]);
        });
    }
    return plane;
}

template <typename T>
bool write_plane(GDALRasterBand& band, const output_raster& raster, std::vector<T>& plane, GDALDataType type)
{
    return band.RasterIO(GF_Write, 0, 0, raster.width(), raster.height(), plane.data(), raster.width(),
                         raster.height(), type, 0, 0, nullptr)
        == CE_None;
}

// Address of band k's sample in the first cell: the member of XVal_t that the
// kind holds (byte k - 1 for byte rasters).
const void* first_sample(const output_raster& raster, const raster_layout& layout, int k)
{
    const XVal_t& cell = raster.at(0, 0);
    switch (layout.kind) {
    case RK_UINT16: return &cell.u16;
    case RK_INT16: return &cell.s16;
    case RK_FLOAT32: return &cell.f32;
    default: return &cell.bytes[k - 1];
    }
}

// Without a shift or a floor the raster itself is the band's buffer: GDAL
// reads every fourth-byte-spaced sample straight from the cells, which saves
// a copy of the whole band.
bool write_in_place(GDALRasterBand& band, const output_raster& raster, const raster_layout& layout, int k)
{
    const GSpacing pixel = sizeof(XVal_t);
    const GSpacing line = pixel * raster.width();
    // GDAL's write interface takes a non-const buffer; it only reads it.
    void* samples = const_cast<void*>(first_sample(raster, layout, k));
    return band.RasterIO(GF_Write, 0, 0, raster.width(), raster.height(), samples, raster.width(),
                         raster.height(), layout.type, pixel, line, nullptr)
        == CE_None;
}

bool write_band(GDALRasterBand& band, const output_raster& raster, const raster_layout& layout, int k,
                const band_options& o)
{
    const bool floors = o.floorFloats && layout.kind == RK_FLOAT32;
    if (o.columnShift == 0 && !floors) return write_in_place(band, raster, layout, k);
    switch (layout.kind) {
    case RK_UINT16: {
        auto p = fill_plane<std::uint16_t>(raster, o.columnShift, [](const XVal_t& v) { return v.u16; });
        return write_plane(band, raster, p, GDT_UInt16);
    }
    case RK_INT16: {
        auto p = fill_plane<std::int16_t>(raster, o.columnShift, [](const XVal_t& v) { return v.s16; });
        return write_plane(band, raster, p, GDT_Int16);
    }
    case RK_FLOAT32: {
        const bool floor = o.floorFloats;
        auto p = fill_plane<float>(raster, o.columnShift, [floor](const XVal_t& v) {
            // NaN compares false and so stays NaN.
            return floor && v.f32 < kFloatFloor ? kFloatFloor : v.f32;
        });
        return write_plane(band, raster, p, GDT_Float32);
    }
    case RK_BYTE:
    case RK_RGB: {
        auto p = fill_plane<std::uint8_t>(raster, o.columnShift,
                                          [k](const XVal_t& v) { return v.bytes[k - 1]; });
        return write_plane(band, raster, p, GDT_Byte);
    }
    case RK_NONE:
        break;
    }
    return false;
}

} // namespace

bool write_raster_bands(GDALDataset& ds, const output_raster& raster, const raster_layout& layout,
                        const band_options& options)
{
    try {
        for (int k = 1; k <= layout.bands; ++k) {
            GDALRasterBand* band = ds.GetRasterBand(k);
            if (band == nullptr) return false;
            if (!write_band(*band, raster, layout, k, options)) return false;
        }
    } catch (const std::bad_alloc&) {
        // A plane the size of the whole band could not be allocated.
        return false;
    }
    return true;
}
