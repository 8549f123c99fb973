#include "output/swath/gt_projector.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <new>
#include <utility>

#include <gdal_priv.h>

#include "output/band_writer.h"
#include "output/gdal_session.h"
#include "output/geotiff_profile_writer.h"
#include "output/partial_file.h"
#include "output/xval.h"

namespace vardane {

namespace {

constexpr std::int32_t kNodataSigned = -32768;
constexpr std::int32_t kNodataByte = 255;
constexpr std::int32_t kNodataUnsigned = 65535;

GDALDataType gdal_type_of(std::int32_t kind)
{
    if (kind == RK_INT16) return GDT_Int16;
    if (kind == RK_BYTE) return GDT_Byte;
    return GDT_UInt16;
}

// A cell crosses the date line when its longitudes are more than half a
// turn apart or reach 180 degrees.
bool crosses_date_line(const cell_corners& c)
{
    float lo = c[0].lon;
    float hi = c[0].lon;
    for (int i = 1; i < 4; ++i) {
        lo = std::min(lo, c[i].lon);
        hi = std::max(hi, c[i].lon);
    }
    return hi - lo > 180.0f || hi >= 180.0f;
}

// Where the row of pixel centres at height y crosses the quadrilateral's
// edges, in ascending order; returns how many (0, 2 or, for a cell folded
// over itself, 4). A centre lies inside (even-odd rule) when it is at or east
// of crossing 0 and west of crossing 1, or likewise between crossings 2 and 3.
// Each edge is taken from its upper end to its lower one: the neighbouring
// cell draws the same edge the other way round, and with the ends ordered
// both cells work out the same crossing, so a pixel centre on a shared edge
// belongs to exactly one of them (the cell east of it, or south of it).
int row_crossings(const grid_corners& g, double y, std::array<double, 4>& at)
{
    int n = 0;
    for (int i = 0, j = 3; i < 4; j = i++) {
        if ((g[i].y > y) == (g[j].y > y)) continue;
        const auto& top = g[i].y < g[j].y ? g[i] : g[j];
        const auto& bottom = g[i].y < g[j].y ? g[j] : g[i];
        at[std::size_t(n++)] = top.x + (bottom.x - top.x) * (y - top.y) / (bottom.y - top.y);
    }
    if (n == 2) {
        if (at[1] < at[0]) std::swap(at[0], at[1]);
    } else {
        std::sort(at.begin(), at.begin() + n);
    }
    return n;
}

// Squared distances of the four corners from the point (x, y), in pixels.
std::array<double, 4> squared_distances(const grid_corners& g, double x, double y)
{
    std::array<double, 4> d{};
    for (int i = 0; i < 4; ++i) {
        const double dx = g[i].x - x;
        const double dy = g[i].y - y;
        d[std::size_t(i)] = dx * dx + dy * dy;
    }
    return d;
}

// Inverse-squared-distance blend of the corner values at (x, y); a point on
// a corner takes that corner's value. The weights 1/d_i are scaled by the
// product of all four d: one division instead of five, since every pixel of
// the window is blended.
std::int32_t blend(const std::array<double, 4>& d, const cell_corners& c)
{
    for (std::size_t i = 0; i < 4; ++i) {
        if (d[i] == 0.0) return c[i].value;
    }
    const double d01 = d[0] * d[1];
    const double d23 = d[2] * d[3];
    const double w0 = d[1] * d23;
    const double w1 = d[0] * d23;
    const double w2 = d01 * d[3];
    const double w3 = d01 * d[2];
    const double v = (w0 * c[0].value + w1 * c[1].value + w2 * c[2].value + w3 * c[3].value) / (w0 + w1 + w2 + w3);
    // Half up, then towards zero: the rounding the products have always had.
    return static_cast<std::int32_t>(std::trunc(v + 0.5));
}

std::int32_t nearest(const std::array<double, 4>& d, const cell_corners& c)
{
    return c[std::size_t(std::ranges::min_element(d) - d.begin())].value;
}

// The value a pixel centre at squared distances d from the corners takes.
template <cell_fill How>
std::int32_t value_at(const std::array<double, 4>& d, const cell_corners& c)
{
    if constexpr (How == cell_fill::nearest) {
        return nearest(d, c);
    } else {
        return blend(d, c);
    }
}

// work.template operator()<T, How>() with the sample type of a raster kind
// and a fill: the fills are compiled once for each pair.
template <typename Work>
void with_sample_and_fill(std::int32_t kind, cell_fill how, Work&& work)
{
    const bool codes = how == cell_fill::nearest;
    if (kind == RK_BYTE) {
        if (codes) {
            work.template operator()<std::uint8_t, cell_fill::nearest>();
        } else {
            work.template operator()<std::uint8_t, cell_fill::blend>();
        }
    } else if (codes) {
        work.template operator()<std::uint16_t, cell_fill::nearest>();
    } else {
        work.template operator()<std::uint16_t, cell_fill::blend>();
    }
}

// Rounding of values well inside the int range without a library call: the
// fill does it for every cell.
int floor_int(double v)
{
    const int i = static_cast<int>(v);
    return i - (v < i ? 1 : 0);
}

int ceil_int(double v)
{
    const int i = static_cast<int>(v);
    return i + (v > i ? 1 : 0);
}

// The range of pixel indices whose centres (index + 0.5) lie in [lo, hi],
// cut to the grid's n pixels; empty (first > last) when there are none.
std::pair<int, int> centres_within(double lo, double hi, int n)
{
    // Cut to the grid first, so that the roundings stay in range.
    lo = std::max(lo, -1.0);
    hi = std::min(hi, double(n) + 1.0);
    if (!(lo <= hi)) return {0, -1};
    return {std::max(0, ceil_int(lo - 0.5)), std::min(n - 1, floor_int(hi - 0.5))};
}

// The same for centres in [lo, hi).
std::pair<int, int> centres_between(double lo, double hi, int n)
{
    lo = std::max(lo, -1.0);
    hi = std::min(hi, double(n) + 1.0);
    if (!(lo < hi)) return {0, -1};
    return {std::max(0, ceil_int(lo - 0.5)), std::min(n - 1, ceil_int(hi - 0.5) - 1)};
}

} // namespace

std::int32_t swath_grid_nodata(std::int32_t kind)
{
    if (kind == RK_INT16) return kNodataSigned;
    if (kind == RK_BYTE) return kNodataByte;
    return kNodataUnsigned;
}

gt_projector::gt_projector(std::int32_t kind, std::int32_t width, std::int32_t height, cell_fill how)
    : kind_(kind), width_(width), height_(height), nodata_(swath_grid_nodata(kind)), how_(how)
{
}

bool gt_projector::setView(const view_t& view)
{
    clear();
    if (width_ <= 0 || height_ <= 0 || std::int64_t(width_) * height_ > kMaxSamples) return false;
    if (view.lon_max == view.lon_min || view.lat_max == view.lat_min) return false;
    view_ = view;
    mapping_ = view_mapping(view_t{width_, height_, view.lon_min, view.lat_min, view.lon_max, view.lat_max, {}});
    const std::size_t n = std::size_t(width_) * std::size_t(height_);
    try {
        if (kind_ == RK_BYTE) {
            samples8_.assign(n, static_cast<std::uint8_t>(nodata_));
        } else {
            samples16_.assign(n, static_cast<std::uint16_t>(nodata_));
        }
    } catch (const std::bad_alloc&) {
        clear();
        return false;
    }
    return true;
}

bool gt_projector::lacks_value(const cell_corners& corners) const
{
    return corners[0].value == nodata_ || corners[1].value == nodata_ || corners[2].value == nodata_
           || corners[3].value == nodata_;
}

bool gt_projector::skipped(const cell_corners& corners) const
{
    if (lacks_value(corners)) return true;
    for (const point_t& p : corners) {
        if (position_is_lost(p.lon, p.lat)) return true;
    }
    return false;
}

bool gt_projector::has_grid() const { return kind_ == RK_BYTE ? !samples8_.empty() : !samples16_.empty(); }

grid_corners gt_projector::places_beside_date_line(const cell_corners& corners, bool west) const
{
    grid_corners places{};
    for (std::size_t i = 0; i < 4; ++i) {
        float lon = corners[i].lon;
        if (west && lon > 0.0f) lon -= 360.0f;
        if (!west && lon < 0.0f) lon += 360.0f;
        places[i] = locate(lon, corners[i].lat);
    }
    return places;
}

void gt_projector::put_val_bl(const cell_corners& corners, bool secondPass, grid_rows rows)
{
    if (skipped(corners)) return;
    if (secondPass) {
        fill(places_beside_date_line(corners, true), corners, rows);
        return;
    }
    grid_corners places{};
    for (std::size_t i = 0; i < 4; ++i) places[i] = locate(corners[i].lon, corners[i].lat);
    put_whole_cell(corners, places, rows);
}

void gt_projector::put_val_bl(const cell_corners& corners, const grid_corners& places, grid_rows rows)
{
    if (skipped(corners)) return;
    put_whole_cell(corners, places, rows);
}

void gt_projector::put_whole_cell(const cell_corners& corners, const grid_corners& places, grid_rows rows)
{
    if (crosses_date_line(corners)) {
        // West of -180 first, then east of 180.
        fill(places_beside_date_line(corners, true), corners, rows);
        fill(places_beside_date_line(corners, false), corners, rows);
        return;
    }
    fill(places, corners, rows);
}

void gt_projector::put_val_bl(std::span<gt_projector* const> grids, std::span<const cell_corners> corners,
                              const grid_corners& places, grid_rows rows)
{
    if (grids.size() == 1) {
        grids[0]->put_val_bl(corners[0], places, rows);
        return;
    }
    if (grids.size() > kMaxStacked) {
        put_val_bl(grids.first(kMaxStacked), corners.first(kMaxStacked), places, rows);
        put_val_bl(grids.subspan(kMaxStacked), corners.subspan(kMaxStacked), places, rows);
        return;
    }
    const cell_corners& cell = corners[0];
    for (const point_t& p : cell) {
        if (position_is_lost(p.lon, p.lat)) return;
    }
    // The grids for which no corner of the cell is missing.
    std::array<std::size_t, kMaxStacked> drawnAt{};
    std::size_t count = 0;
    for (std::size_t k = 0; k < grids.size(); ++k) {
        if (!grids[k]->lacks_value(corners[k]) && grids[k]->has_grid()) drawnAt[count++] = k;
    }
    if (count == 0) return;
    const std::span<const std::size_t> drawn(drawnAt.data(), count);
    if (crosses_date_line(cell)) {
        fill_stack(grids, corners, drawn, grids[0]->places_beside_date_line(cell, true), rows);
        fill_stack(grids, corners, drawn, grids[0]->places_beside_date_line(cell, false), rows);
    } else {
        fill_stack(grids, corners, drawn, places, rows);
    }
}

void gt_projector::fill(const grid_corners& places, const cell_corners& corners, grid_rows rows)
{
    if (!has_grid()) return;
    with_sample_and_fill(kind_, how_,
                         [&]<typename T, cell_fill How>() { fill_grid<T, How>(grid<T>(), places, corners, rows); });
}

template <typename At>
void gt_projector::each_centre(const grid_corners& places, grid_rows rows, At&& at) const
{
    // Most cells of a radiometer are smaller than a pixel and hold no centre.
    const auto [xmin, xmax] = std::minmax({places[0].x, places[1].x, places[2].x, places[3].x});
    const auto [x0, x1] = centres_within(xmin, xmax, width_);
    if (x0 > x1) return;
    const auto [ymin, ymax] = std::minmax({places[0].y, places[1].y, places[2].y, places[3].y});
    const auto [y0, y1] = centres_within(ymin, ymax, height_);
    const int top = std::max(y0, rows.first);
    const int bottom = std::min(y1, rows.end - 1);
    std::array<double, 4> crossing{};
    for (int y = top; y <= bottom; ++y) {
        const std::size_t row = std::size_t(y) * std::size_t(width_);
        const double cy = y + 0.5;
        const int n = row_crossings(places, cy, crossing);
        for (int k = 0; k + 1 < n; k += 2) {
            // Centres x + 0.5 with crossing[k] <= x + 0.5 < crossing[k + 1].
            const auto [first, last] = centres_between(crossing[std::size_t(k)], crossing[std::size_t(k) + 1], width_);
            for (int x = first; x <= last; ++x) at(row + std::size_t(x), squared_distances(places, x + 0.5, cy));
        }
    }
}

template <typename T, cell_fill How>
void gt_projector::fill_grid(T* grid, const grid_corners& places, const cell_corners& corners, grid_rows rows)
{
    each_centre(places, rows, [&](std::size_t at, const std::array<double, 4>& d) {
        grid[at] = static_cast<T>(value_at<How>(d, corners));
    });
}

template <typename T, cell_fill How>
void gt_projector::fill_grids(std::span<gt_projector* const> grids, std::span<const cell_corners> corners,
                              std::span<const std::size_t> drawn, const grid_corners& places, grid_rows rows)
{
    grids[0]->each_centre(places, rows, [&](std::size_t at, const std::array<double, 4>& d) {
        for (const std::size_t k : drawn) grids[k]->grid<T>()[at] = static_cast<T>(value_at<How>(d, corners[k]));
    });
}

void gt_projector::fill_stack(std::span<gt_projector* const> grids, std::span<const cell_corners> corners,
                              std::span<const std::size_t> drawn, const grid_corners& places, grid_rows rows)
{
    with_sample_and_fill(grids[0]->kind_, grids[0]->how_,
                         [&]<typename T, cell_fill How>() { fill_grids<T, How>(grids, corners, drawn, places, rows); });
}

std::int16_t gt_projector::getVal(std::int32_t c, std::int32_t r) const
{
    const std::size_t i = std::size_t(r) * std::size_t(width_) + std::size_t(c);
    if (kind_ == RK_BYTE) return static_cast<std::int16_t>(samples8_[i]);
    return std::bit_cast<std::int16_t>(samples16_[i]);
}

bulk_vector<std::uint16_t> gt_projector::take_samples16() { return std::exchange(samples16_, {}); }

bulk_vector<std::uint8_t> gt_projector::take_samples8() { return std::exchange(samples8_, {}); }

void gt_projector::clear()
{
    release(samples16_);
    release(samples8_);
}

bool gt_projector::write_in_slices(GDALRasterBand& band, const void* samples, int gdalType) const
{
    // Slices of rows, each flushed to the file before the next: GDAL's block
    // cache would otherwise hold a second copy of a whole 400 MB window.
    const auto type = static_cast<GDALDataType>(gdalType);
    const std::size_t rowBytes = std::size_t(width_) * std::size_t(GDALGetDataTypeSizeBytes(type));
    const int sliceRows = rows_per_flush(band, rowBytes, kSliceBytes);
    const auto* bytes = static_cast<const std::uint8_t*>(samples);
    for (int y = 0; y < height_; y += sliceRows) {
        const int rows = std::min(sliceRows, height_ - y);
        // GDAL's write interface takes a non-const buffer; it only reads it.
        void* slice = const_cast<std::uint8_t*>(bytes + std::size_t(y) * rowBytes);
        if (band.RasterIO(GF_Write, 0, y, width_, rows, slice, width_, rows, type, 0, 0, nullptr) != CE_None) {
            return false;
        }
        if (band.FlushCache(false) != CE_None) return false;
    }
    return true;
}

bool gt_projector::output(const std::string& name, const geotiff_finish& how) const
{
    const void* samples = kind_ == RK_BYTE ? static_cast<const void*>(samples8_.data()) : samples16_.data();
    if (name.empty() || (kind_ == RK_BYTE ? samples8_.empty() : samples16_.empty())) return false;
    const GDALDataType type = gdal_type_of(kind_);
    geotiff_sink file(name, how);
    GDALDataset* ds = file.create_over(samples, width_, height_, type);
    if (ds == nullptr) return false;

    const double west = view_.lon_min;
    const double east = view_.lon_max;
    const double south = view_.lat_min;
    const double north = view_.lat_max;
    double gt[6] = {west, (east - west) / width_, 0.0, north, 0.0, -(north - south) / height_};
    bool ok = ds->SetProjection(gdal_session::wgs84_wkt().c_str()) == CE_None;
    ok = ok && ds->SetGeoTransform(gt) == CE_None;
    GDALRasterBand* band = ds->GetRasterBand(1);
    ok = ok && band != nullptr && (file.holds_samples() || write_in_slices(*band, samples, type));
    if (!ok) file.discard();
    return ok && file.close();
}

} // namespace vardane
