// Which geolocation places the pixels of each swath product kind, by the
// index of the selected variable.
#include <algorithm>
#include <array>
#include <limits>
#include <span>
#include <vector>

#include "output/swath/coregistration_bands.h"
#include "output/swath/coregistration_cache.h"
#include "output/swath/position_source.h"
#include "output/swath/tie_point_positions.h"
#include "output/swath/tile_positions.h"

namespace vardane {

namespace {

enum class source {
    coregistered, // low-frequency footprint between two 89 GHz A samples
    a89,          // "lat89A"/"lon89A" at [L][P]
    a89_doubled,  // "lat89A"/"lon89A" at [L][2P]
    b89,          // "lat89B"/"lon89B" at [L][P]
    latlon,       // "lat"/"lon" at [L][P]
    tie_point,    // "lat"/"lon" tie points every 10 lines and pixels
    tile,         // the tile's own geometry
};

// Variables up to lastIndex (and above the previous row's) use `how`.
struct index_band {
    std::int32_t lastIndex;
    source how;
};

constexpr std::int32_t kAll = std::numeric_limits<std::int32_t>::max();

constexpr index_band kL1AB[] = {{kLastCoregisteredIndex, source::coregistered}, {13, source::a89}, {kAll, source::b89}};
constexpr index_band kL1R[] = {{35, source::a89_doubled}, {37, source::a89}, {kAll, source::b89}};
constexpr index_band kL2High[] = {{0, source::a89}, {kAll, source::b89}};
constexpr index_band kLatLon[] = {{kAll, source::latlon}};
constexpr index_band kTiePoint[] = {{kAll, source::tie_point}};
constexpr index_band kTile[] = {{kAll, source::tile}};

struct geolocation_rule {
    productType kind;
    std::span<const index_band> bands;
};

constexpr geolocation_rule kRules[] = {
    {PT_AMSR2_L1A, kL1AB},      {PT_AMSR2_L1B, kL1AB},       {PT_AMSRE_L1B, kL1AB},       {PT_AMSR2_L1R, kL1R},
    {PT_AMSRE_L1R, kL1R},       {PT_AMSR2_L2_HIGH, kL2High}, {PT_AMSRE_L2_HIGH, kL2High}, {PT_AMSR2_L2_LOW, kLatLon},
    {PT_AMSRE_L2_LOW, kLatLon}, {PT_SGLI_POL, kLatLon},      {PT_SGLI_VNR, kTiePoint},    {PT_SGLI_IRS, kTiePoint},
    {PT_SGLI_NWLR, kTiePoint},  {PT_SGLI_IWPR, kTiePoint},   {PT_SGLI_SST, kTiePoint},    {PT_SGLI_LTOA, kTile},
    {PT_SGLI_RSRF, kTile},      {PT_SGLI_LST, kTile},        {PT_SGLI_CLFG, kTile},
};

// The infrared bands stored at a quarter of the lines and pixels.
constexpr std::int32_t kQuarterIrsBands[] = {0, 1, 3};
constexpr std::int32_t kQuarterFactor = 4;

const index_band* band_of(productType kind, std::int32_t k)
{
    const auto rule = std::ranges::find(kRules, kind, &geolocation_rule::kind);
    if (rule == std::end(kRules)) return nullptr;
    const auto band = std::ranges::find_if(rule->bands, [k](const index_band& b) { return k <= b.lastIndex; });
    return band == rule->bands.end() ? nullptr : &*band;
}

bool quarter_irs_band(productType kind, std::int32_t k)
{
    return kind == PT_SGLI_IRS && std::ranges::find(kQuarterIrsBands, k) != std::end(kQuarterIrsBands);
}

const float_grid* grid(const swath_geolocation& geo, const char* key)
{
    const auto it = geo.fvals.find(key);
    return it == geo.fvals.end() ? nullptr : &it->second;
}

float factor(const std::map<std::string, float>& table, std::string_view band)
{
    // A band the product does not list is not moved.
    const auto it = table.find(std::string(band));
    return it == table.end() ? 0.0f : it->second;
}

std::unique_ptr<position_source> from_arrays(const swath_geolocation& geo, const raster_size& size, const char* latKey,
                                             const char* lonKey, std::int32_t stride)
{
    const float_grid* lat = grid(geo, latKey);
    const float_grid* lon = grid(geo, lonKey);
    if (!lat || !lon) return nullptr;
    auto positions = std::make_unique<array_positions>(*lat, *lon, stride);
    if (!positions->covers(size.rows, size.columns)) return nullptr;
    return positions;
}

std::unique_ptr<position_source> coregistered(swath_geolocation& geo, const raster_size& size, std::int32_t k,
                                              std::optional<row_span> lines)
{
    const float_grid* lat = grid(geo, "lat89A");
    const float_grid* lon = grid(geo, "lon89A");
    if (!lat || !lon || k < 0 || k > kLastCoregisteredIndex) return nullptr;
    const std::int32_t rows = size.rows;
    const std::int32_t columns = size.columns;
    // Each footprint lies between A samples 2P and 2P + 1 of its scan.
    if (!array_positions(*lat, *lon, 2).covers(rows, columns) || std::int64_t(2) * columns > lat->width) {
        return nullptr;
    }
    if (lines && std::int64_t(lines->first) + lines->count > rows) return nullptr;
    if (!geo.coregistered) geo.coregistered = std::make_shared<coregistration_cache>();
    const auto factors_of = [&](std::string_view band) {
        return band_factors{std::string(band), factor(geo.corA1, band), factor(geo.corA2, band)};
    };
    const band_factors asked = factors_of(kCoregistrationBands[std::size_t(k)]);
    // The product's other variables are drawn next, most often: their bands
    // are made with this one.
    std::vector<band_factors> other;
    for (const std::string_view band : kCoregistrationBands) {
        if (other.empty() || other.back().band != band) other.push_back(factors_of(band));
    }
    const auto& e = lines ? coregistered_scans(*geo.coregistered, *lat, *lon, asked, other, rows, columns,
                                               std::int32_t(lines->first), std::int32_t(lines->count))
                          : coregistered_positions(*geo.coregistered, *lat, *lon, asked, other, rows, columns);
    return std::make_unique<array_positions>(e.lat, e.lon, 1);
}

std::unique_ptr<position_source> tie_points(const swath_geolocation& geo, const raster_size& size, productType kind,
                                            std::int32_t k)
{
    const float_grid* lat = grid(geo, "lat");
    const float_grid* lon = grid(geo, "lon");
    if (!lat || !lon) return nullptr;
    const bool quarter = quarter_irs_band(kind, k);
    auto positions = std::make_unique<tie_point_positions>(*lat, *lon, quarter ? kQuarterFactor : 1);
    if (!positions->covers(size.rows, size.columns)) return nullptr;
    return positions;
}

} // namespace

std::string position_set_of(productType kind, std::int32_t k)
{
    const index_band* band = band_of(kind, k);
    if (band == nullptr) return {};
    switch (band->how) {
    case source::coregistered:
        return k >= 0 && k <= kLastCoregisteredIndex
                   ? "co-registered " + std::string(kCoregistrationBands[std::size_t(k)])
                   : std::string();
    case source::a89: return "89A";
    case source::a89_doubled: return "89A doubled";
    case source::b89: return "89B";
    case source::latlon: return "latitude/longitude";
    case source::tie_point: return quarter_irs_band(kind, k) ? "tie points, quarter" : "tie points";
    case source::tile: return "tile";
    }
    return {};
}

std::unique_ptr<position_source> positions_for(swath_geolocation& geo, const raster_size& size, productType kind,
                                               std::int32_t k, std::optional<row_span> lines)
{
    const index_band* band = band_of(kind, k);
    if (band == nullptr) return nullptr;
    switch (band->how) {
    case source::coregistered: return coregistered(geo, size, k, lines);
    case source::a89: return from_arrays(geo, size, "lat89A", "lon89A", 1);
    case source::a89_doubled: return from_arrays(geo, size, "lat89A", "lon89A", 2);
    case source::b89: return from_arrays(geo, size, "lat89B", "lon89B", 1);
    case source::latlon: return from_arrays(geo, size, "lat", "lon", 1);
    case source::tie_point: return tie_points(geo, size, kind, k);
    case source::tile: return std::make_unique<tile_positions>(size.rows, size.columns, geo.tileV, geo.tileH);
    }
    return nullptr;
}

} // namespace vardane
