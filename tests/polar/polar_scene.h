#pragma once
// Global latitude/longitude rasters for the polar writer, and positions in
// its outputs computed independently with PROJ.

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <optional>
#include <vector>

#include <gdal_priv.h>
#include <proj.h>

#include "output/output_test_support.h"
#include "output/spout.h"

namespace polar_test {

// A block of marker values a few cells wide, so that it survives the
// thinning of large grids and the two nearest-neighbour warps.
struct marker {
    double lat;
    double lon;
    float value;
    double halfLat = 1.5;
    double halfLon = 6.0;

    bool holds(double la, double lo) const
    {
        const double dLon = std::remainder(lo - lon, 360.0);
        return std::abs(la - lat) <= halfLat && std::abs(dLon) <= halfLon;
    }
};

inline constexpr marker kNorthMarker{75.0, 30.0, 500.0f};
inline constexpr marker kSouthMarker{-70.0, -120.0, 600.0f};

// Coastline-like structure: rings of 10 degrees of latitude (1 to 18) with
// lobes of "land" (100) three times round every circle. Continuous across the
// date line, so that a seam there would show.
inline float landscape(double lat, double lon)
{
    constexpr double deg = std::numbers::pi / 180.0;
    if (std::sin(3.0 * lon * deg) * std::cos(2.0 * lat * deg) > 0.3) return 100.0f;
    return float(1 + std::min(17, int((lat + 90.0) / 10.0)));
}

inline float value_at(double lat, double lon)
{
    for (const marker& m : {kNorthMarker, kSouthMarker}) {
        if (m.holds(lat, lon)) return m.value;
    }
    return landscape(lat, lon);
}

// A width x height float grid from west to west + 360 and 90 to -90, filled
// with value_at of each cell centre.
inline std::vector<float> global_grid(int width, int height, double west)
{
    std::vector<float> v(std::size_t(width) * height);
    for (int r = 0; r < height; ++r) {
        const double lat = 90.0 - (r + 0.5) * 180.0 / height;
        for (int c = 0; c < width; ++c) v[std::size_t(r) * width + c] = value_at(lat, west + (c + 0.5) * 360.0 / width);
    }
    return v;
}

// Pixel position (column, row, fractional) of (lat, lon) in a file whose CRS
// is the polar stereographic projection of the given hemisphere on WGS 84,
// through PROJ directly.
inline std::array<double, 2> pixel_of(GDALDataset& ds, bool north, double lat, double lon)
{
    const char* def = north ? "+proj=stere +lat_0=90 +lon_0=0 +k=1 +ellps=WGS84"
                            : "+proj=stere +lat_0=-90 +lon_0=0 +k=1 +ellps=WGS84";
    std::unique_ptr<PJ, PJ* (*)(PJ*)> pj(proj_create(nullptr, def), proj_destroy);
    const PJ_COORD xy = proj_trans(pj.get(), PJ_FWD, proj_coord(proj_torad(lon), proj_torad(lat), 0, 0));
    std::array<double, 6> gt{};
    ds.GetGeoTransform(gt.data());
    return {(xy.xy.x - gt[0]) / gt[1], (xy.xy.y - gt[3]) / gt[5]};
}

// Value of band 1 at a fractional pixel position; nothing outside the image.
inline std::optional<double> value_at_pixel(GDALDataset& ds, std::array<double, 2> px)
{
    const int c = int(std::floor(px[0]));
    const int r = int(std::floor(px[1]));
    if (c < 0 || r < 0 || c >= ds.GetRasterXSize() || r >= ds.GetRasterYSize()) return std::nullopt;
    double v = 0;
    if (ds.GetRasterBand(1)->RasterIO(GF_Read, c, r, 1, 1, &v, 1, 1, GDT_Float64, 0, 0, nullptr) != CE_None) {
        return std::nullopt;
    }
    return v;
}

// Centre of the pixels of band 1 that hold value; nothing when none does.
inline std::optional<std::array<double, 2>> centroid_of(GDALDataset& ds, float value)
{
    const auto band = output_test::read_band<float>(ds, 1, GDT_Float32);
    const int w = ds.GetRasterXSize();
    double sc = 0;
    double sr = 0;
    int n = 0;
    for (std::size_t i = 0; i < band.size(); ++i) {
        if (band[i] != value) continue;
        sc += double(i % w) + 0.5;
        sr += double(i / w) + 0.5;
        ++n;
    }
    if (n == 0) return std::nullopt;
    return std::array<double, 2>{sc / n, sr / n};
}

} // namespace polar_test
