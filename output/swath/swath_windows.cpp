#include "output/swath/swath_windows.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "output/swath/gt_projector.h"
#include "output/swath/position_range.h"

namespace vardane {

namespace {

const view_t kGlobal{3600, 1800, -180, -90, 180, 90, ""};

const view_t kPolarisation[] = {
    {20000, 10000, -180, 0, 0, 90, "_N1"},
    {20000, 10000, 0, 0, 180, 90, "_N2"},
    {20000, 10000, -180, -90, 0, 0, "_S1"},
    {20000, 10000, 0, -90, 180, 0, "_S2"},
};

// Pixels per degree of a scene window: the single-precision reciprocal of
// the pixel size 0.002 degree, so a 10-degree span gives 4999 pixels.
constexpr double kExtentPerDegree = 499.9999694824219;
// Tile windows have exactly the tiles' own 1/480 degree: every tile window
// then shares its pixel boundaries with its neighbours' (and a 10-degree
// tile is 4800 rows, its own lines), so tiles mosaic without a seam.
constexpr double kTilePerDegree = 480.0;

struct layout_row {
    productType kind;
    window_layout layout;
};

constexpr layout_row kLayouts[] = {
    {PT_SGLI_POL, window_layout::polarisation}, {PT_SGLI_VNR, window_layout::extent},
    {PT_SGLI_IRS, window_layout::extent},       {PT_SGLI_NWLR, window_layout::extent},
    {PT_SGLI_IWPR, window_layout::extent},      {PT_SGLI_SST, window_layout::extent},
    {PT_SGLI_LTOA, window_layout::tile},        {PT_SGLI_RSRF, window_layout::tile},
    {PT_SGLI_LST, window_layout::tile},         {PT_SGLI_CLFG, window_layout::tile},
};

// Whole degrees of a bound; nothing for a value no window can have.
std::optional<int> degrees(double v)
{
    if (!(std::abs(v) <= 1.0e6)) return std::nullopt;
    return static_cast<int>(v);
}

// Pixels across a span of whole degrees; nothing when the window could not
// be held (the projector refuses it then too, with a failure).
std::optional<int> pixels(double spanDegrees, double perDegree)
{
    const double n = std::trunc(spanDegrees * perDegree);
    if (!(n >= 0.0 && n <= double(gt_projector::kMaxSamples))) return std::nullopt;
    return static_cast<int>(n);
}

std::optional<view_t> window(double west, double south, double east, double north, double perDegree, const char* suffix)
{
    const auto w = degrees(west);
    const auto s = degrees(south);
    const auto e = degrees(east);
    const auto n = degrees(north);
    if (!w || !s || !e || !n) return std::nullopt;
    const auto width = pixels(double(*e) - *w, perDegree);
    const auto height = pixels(double(*n) - *s, perDegree);
    if (!width || !height) return std::nullopt;
    return view_t{*width, *height, *w, *s, *e, *n, suffix};
}

} // namespace

window_layout window_layout_of(productType kind)
{
    const auto row = std::ranges::find(kLayouts, kind, &layout_row::kind);
    return row == std::end(kLayouts) ? window_layout::global : row->layout;
}

std::vector<view_t> extent_windows(const std::vector<float>& lat, const std::vector<float>& lon)
{
    position_range range;
    float westMost = -180.0f; // largest negative longitude
    float eastMost = 180.0f;  // smallest non-negative longitude
    const std::size_t n = std::min(lat.size(), lon.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (!range.add(lon[i], lat[i])) continue;
        if (lon[i] < 0.0f)
            westMost = std::max(westMost, lon[i]);
        else
            eastMost = std::min(eastMost, lon[i]);
    }
    if (!range.any) return {};
    const double north = std::ceil(range.latMax);
    const double south = std::floor(range.latMin);
    std::vector<view_t> windows;
    const auto add = [&](std::optional<view_t> v) {
        if (v) windows.push_back(*v);
    };
    if (range.lonMax - range.lonMin < 180.0f) {
        add(window(std::floor(range.lonMin), south, std::ceil(range.lonMax), north, kExtentPerDegree, ""));
    } else {
        add(window(std::floor(eastMost), south, 180.0, north, kExtentPerDegree, "_1"));
        add(window(-180.0, south, std::ceil(westMost), north, kExtentPerDegree, "_2"));
    }
    return windows;
}

std::vector<view_t> tile_windows(int v, int h)
{
    const double d = std::acos(-1.0) / 180.0;
    const double top = 90.0 - 10.0 * v;
    const double bottom = 90.0 - 10.0 * (v + 1);
    const auto lambda = [d](double x, double phi) {
        if (phi == 90.0 || phi == -90.0) return 0.0;
        return (10.0 * x - 180.0) / std::cos(phi * d);
    };
    const double west = std::min(lambda(h, top), lambda(h, bottom));
    const double east = std::max(lambda(h + 1, top), lambda(h + 1, bottom));
    const auto w = window(std::floor(west), std::floor(bottom), std::ceil(east), std::ceil(top), kTilePerDegree, "");
    if (!w) return {};
    return {*w};
}

std::vector<view_t> windows_for(const swath_geolocation& geo, productType kind)
{
    switch (window_layout_of(kind)) {
    case window_layout::global: return {kGlobal};
    case window_layout::polarisation: return {std::begin(kPolarisation), std::end(kPolarisation)};
    case window_layout::extent: {
        const auto lat = geo.fvals.find("lat");
        const auto lon = geo.fvals.find("lon");
        if (lat == geo.fvals.end() || lon == geo.fvals.end()) return {};
        return extent_windows(lat->second.values, lon->second.values);
    }
    case window_layout::tile: return tile_windows(geo.tileV, geo.tileH);
    }
    return {};
}

} // namespace vardane
