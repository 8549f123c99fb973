#include "output/polar/polar_source.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include <cpl_conv.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "output/band_writer.h"
#include "output/column_shift.h"
#include "output/gdal_session.h"

namespace vardane {

namespace {

// A grid that spans the whole turn (within half a pixel) can be turned.
bool spans_the_globe(const std::array<double, 6>& gt, std::int32_t width)
{
    return std::abs(std::abs(gt[1]) * width - 360.0) <= std::abs(gt[1]) * 0.5;
}

// Columns to turn a global grid by so that it starts at -180 degrees.
std::int32_t turn_to_west_edge(const std::array<double, 6>& gt, std::int32_t width)
{
    if (!spans_the_globe(gt, width) || gt[1] == 0.0) return 0;
    return static_cast<std::int32_t>(std::lround((-180.0 - gt[0]) / gt[1]));
}

template <class T>
void copy_band(const output_raster& raster, const raster_layout& layout, int k, std::int32_t shift, T* out)
{
    const std::int32_t w = raster.width();
    const column_shift cols(shift, w);
    for (std::int32_t r = 0; r < raster.height(); ++r, out += w) {
        sample_row<T> row = raster.samples<T>(r);
        if (layout.kind == RK_RGB) row = sample_row<T>(row.first() + (k - 1), row.step());
        cols.for_each_run([&](std::int32_t to, std::int32_t from, std::int32_t n) {
            row.copy_to(out + to, std::size_t(from), std::size_t(n));
        });
    }
}

template <class T>
void replace_fills(T* samples, std::size_t count, std::span<const std::int32_t> fills, T nodata)
{
    for (std::size_t i = 0; i < count; ++i) {
        const auto v = static_cast<std::int32_t>(samples[i]);
        if (std::find(fills.begin(), fills.end(), v) != fills.end()) samples[i] = nodata;
    }
}

void replace_float_fills(float* samples, std::size_t count)
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    for (std::size_t i = 0; i < count; ++i) {
        if (!(samples[i] >= kFloatFloor)) samples[i] = kNaN;
    }
}

} // namespace

std::optional<polar_source> polar_source::make(const output_raster& raster, const raster_layout& layout,
                                               const std::array<double, 6>& geoTransform,
                                               std::span<const std::int32_t> fills, std::optional<double> nodata)
{
    GDALDriver* mem =
        gdal_session::gtiff_driver() != nullptr ? GetGDALDriverManager()->GetDriverByName("MEM") : nullptr;
    if (mem == nullptr || raster.empty()) return std::nullopt;
    const std::int32_t w = raster.width();
    const std::int32_t h = raster.height();
    const std::size_t sampleBytes = std::size_t(GDALGetDataTypeSizeBytes(layout.type));
    const std::size_t bandSamples = std::size_t(w) * std::size_t(h);
    const std::int32_t shift = turn_to_west_edge(geoTransform, w);

    polar_source source;
    try {
        source.samples_.resize(bandSamples * sampleBytes * std::size_t(layout.bands));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    for (int k = 1; k <= layout.bands; ++k) {
        std::uint8_t* band = source.samples_.data() + std::size_t(k - 1) * bandSamples * sampleBytes;
        switch (layout.kind) {
        case RK_UINT16: {
            auto* s = reinterpret_cast<std::uint16_t*>(band);
            copy_band(raster, layout, k, shift, s);
            if (nodata) replace_fills(s, bandSamples, fills, static_cast<std::uint16_t>(*nodata));
            break;
        }
        case RK_INT16: {
            auto* s = reinterpret_cast<std::int16_t*>(band);
            copy_band(raster, layout, k, shift, s);
            if (nodata) replace_fills(s, bandSamples, fills, static_cast<std::int16_t>(*nodata));
            break;
        }
        case RK_FLOAT32: {
            auto* s = reinterpret_cast<float*>(band);
            copy_band(raster, layout, k, shift, s);
            replace_float_fills(s, bandSamples);
            break;
        }
        case RK_BYTE:
        case RK_RGB: copy_band(raster, layout, k, shift, band); break;
        case RK_NONE: return std::nullopt;
        }
    }
    if (layout.kind == RK_FLOAT32) {
        source.nodata_ = std::numeric_limits<double>::quiet_NaN();
    } else if (layout.kind == RK_UINT16 || layout.kind == RK_INT16) {
        source.nodata_ = nodata;
    }

    source.ds_.reset(mem->Create("", w, h, 0, layout.type, nullptr));
    if (!source.ds_) return std::nullopt;
    for (int k = 1; k <= layout.bands; ++k) {
        char pointer[64] = {};
        CPLPrintPointer(pointer, source.samples_.data() + std::size_t(k - 1) * bandSamples * sampleBytes,
                        sizeof pointer);
        CPLStringList options;
        options.SetNameValue("DATAPOINTER", pointer);
        if (source.ds_->AddBand(layout.type, options.List()) != CE_None) return std::nullopt;
        if (source.nodata_) source.ds_->GetRasterBand(k)->SetNoDataValue(*source.nodata_);
    }
    std::array<double, 6> gt = geoTransform;
    if (shift != 0) gt[0] += shift * gt[1];
    OGRSpatialReference wgs84;
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (wgs84.importFromWkt(gdal_session::kWgs84Wkt) != OGRERR_NONE || source.ds_->SetSpatialRef(&wgs84) != CE_None
        || source.ds_->SetGeoTransform(gt.data()) != CE_None) {
        return std::nullopt;
    }
    source.rowStep_ = std::abs(gt[5]);
    return source;
}

} // namespace vardane
