#include "output/spout.h"

#include <cmath>
#include <cstring>
#include <new>

#include <cpl_error.h>

#include "output/gdal_session.h"
#include "output/write_failure.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// Width x height samples at least, for a plane to be taken over.
template <class T>
bool holds_grid(const bulk_vector<T>& data, const dataAttr_t& attr)
{
    return attr.width > 0 && attr.height > 0 && data.size() >= std::size_t(attr.width) * std::size_t(attr.height);
}

} // namespace

spout::spout() : wkt(gdal_session::wgs84_wkt()) {}

spout::~spout() { Clear_Array_raster(); }

void spout::Clear_Array_raster()
{
    raster.clear();
    ready = false;
    gridNodata.reset();
}

bool spout::begin_load(const void* data, const dataAttr_t& attr, RasterKind kind)
{
    Clear_Array_raster();
    if (data == nullptr || attr.width <= 0 || attr.height <= 0) return false;
    try {
        raster.reset_for_overwrite(attr.width, attr.height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    dataAttr = attr;
    rasterKind = kind;
    return true;
}

bool spout::finish_load(const productInfo_t& info)
{
    for (int i = 0; i < 4; ++i) corners[i] = info.corner[i];

    // Upper-left and lower-right are the outer edges of the grid.
    const earthPoint_t& ul = corners[corner::UL];
    const earthPoint_t& lr = corners[corner::LR];
    geoTransform = {ul.lon, (lr.lon - ul.lon) / raster.width(), 0.0, ul.lat, 0.0, (lr.lat - ul.lat) / raster.height()};

    scale = info.scale;
    ready = true;
    return true;
}

bool spout::init_char(const std::uint8_t* data, const dataAttr_t& attr, const productInfo_t& info)
{
    // A cell holds at most four bytes.
    if (attr.bands < 1 || attr.bands > 4) {
        Clear_Array_raster();
        return false;
    }
    if (!begin_load(data, attr, attr.bands == 1 ? RK_BYTE : RK_RGB)) return false;
    const std::size_t b = std::size_t(attr.bands);
    const std::uint8_t* src = data;
    for (std::int32_t r = 0; r < raster.height(); ++r) {
        for (XVal_t& cell : raster.row(r)) {
            cell = XVal_t{};
            std::memcpy(cell.bytes, src, b);
            src += b;
        }
    }
    return finish_load(info);
}

bool spout::init_short(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info)
{
    return copy_sixteen_bits(data, attr, info, RK_UINT16);
}

bool spout::init_signed(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info)
{
    return copy_sixteen_bits(data, attr, info, RK_INT16);
}

bool spout::copy_sixteen_bits(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info,
                              RasterKind kind)
{
    Clear_Array_raster();
    if (data == nullptr || attr.width <= 0 || attr.height <= 0) return false;
    bulk_vector<std::uint16_t> plane;
    try {
        plane.assign(data, data + std::size_t(attr.width) * std::size_t(attr.height));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return take_plane(std::move(plane), attr, info, kind);
}

bool spout::init_float(const float* data, const dataAttr_t& attr, const productInfo_t& info)
{
    if (!begin_load(data, attr, RK_FLOAT32)) return false;
    const float* src = data;
    for (std::int32_t r = 0; r < raster.height(); ++r) {
        for (XVal_t& cell : raster.row(r)) cell.f32 = *src++;
    }
    return finish_load(info);
}

bool spout::take_float(bulk_vector<float>&& data, const dataAttr_t& attr, const productInfo_t& info)
{
    return take_plane(std::move(data), attr, info, RK_FLOAT32);
}

bool spout::take_short(bulk_vector<std::uint16_t>&& data, const dataAttr_t& attr, const productInfo_t& info)
{
    return take_plane(std::move(data), attr, info, RK_UINT16);
}

bool spout::take_signed(bulk_vector<std::uint16_t>&& data, const dataAttr_t& attr, const productInfo_t& info)
{
    return take_plane(std::move(data), attr, info, RK_INT16);
}

template <class T>
bool spout::take_plane(bulk_vector<T>&& data, const dataAttr_t& attr, const productInfo_t& info, RasterKind kind)
{
    Clear_Array_raster();
    if (!holds_grid(data, attr)) return false;
    raster.adopt(attr.width, attr.height, std::move(data));
    dataAttr = attr;
    rasterKind = kind;
    return finish_load(info);
}

bool spout::read_fvals(const std::string& key, const float* data, const dataAttr_t& attr)
{
    // An empty array is stored as such; a negative size or a missing buffer
    // for a non-empty one cannot be copied.
    if (attr.width < 0 || attr.height < 0) return false;
    const std::size_t n = std::size_t(attr.width) * std::size_t(attr.height);
    if (n > 0 && data == nullptr) return false;
    float_grid grid;
    grid.width = attr.width;
    grid.height = attr.height;
    try {
        grid.values.assign(data, data + n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    geolocation.fvals[key] = std::move(grid);
    return true;
}

void spout::parse_cor_a1(const std::string& text) { geolocation.corA1 = parse_cor(text); }

void spout::parse_cor_a2(const std::string& text) { geolocation.corA2 = parse_cor(text); }

void spout::tile_no(std::int32_t horizontal, std::int32_t vertical)
{
    geolocation.tileH = horizontal;
    geolocation.tileV = vertical;
}

std::int32_t spout::get_BandCount() const { return rasterKind == RK_RGB ? 3 : 4; }

bool spout::isGlobalSphere() const
{
    if (!ready) return false;
    const double lonSpan = corners[corner::UR].lon - corners[corner::UL].lon;
    const double latSpan = corners[corner::UL].lat - corners[corner::LL].lat;
    return std::abs(lonSpan - 360.0) < 1.0 && std::abs(latSpan - 180.0) < 1.0;
}

bool spout::spans_all_longitudes() const
{
    return ready && std::abs(corners[corner::UR].lon - corners[corner::UL].lon - 360.0) < 1.0;
}

void spout::begin_write()
{
    lastFailure_.clear();
    CPLErrorReset();
}

bool spout::refuse(const std::string& file, const std::string& cause)
{
    if (!lastFailure_.failed()) lastFailure_ = failure{file, cause.empty() ? write_cause::kNotWritten : cause};
    return false;
}

bool spout::outcome(bool written, const std::string& file)
{
    if (written) return true;
    return refuse(file, library_cause(file));
}

geotiff_finish spout::geotiff_finish_with(std::optional<double> nodata) const
{
    geotiff_finish how;
    how.profile = geotiffStyle_.profile;
    if (geotiffStyle_.nodata) how.nodata = nodata;
    how.codes = dataAttr.codes;
    return how;
}

bool spout::finish_written_geotiff(const std::string& name, std::optional<double> nodata)
{
    std::string cause;
    return finish_geotiff(name, geotiff_finish_with(nodata), cause) || refuse(name, cause);
}

bool spout::can_write(const std::string& name)
{
    begin_write();
    if (name.empty()) return refuse(name, write_cause::kNoName);
    if (!ready || raster.empty()) return refuse(name, write_cause::kNotReady);
    return true;
}

} // namespace vardane

namespace vardane {

std::optional<double> spout::gridded_nodata(std::span<const std::int32_t> fills) const
{
    std::optional<double> chosen;
    for (const std::int32_t fill : fills) {
        const bool fits = (rasterKind == RK_INT16 && fill >= -32768 && fill <= 32767)
                          || (rasterKind == RK_UINT16 && fill >= 0 && fill <= 65535);
        if (fits) chosen = fill;
    }
    return chosen;
}

} // namespace vardane
