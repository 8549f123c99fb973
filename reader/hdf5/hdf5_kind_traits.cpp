#include "reader/hdf5/hdf5_kind_traits.h"

namespace vardane {

namespace {

using enum h5_shape_rule;
using enum h5_corner_source;
using P = h5_plane_rule;
using I = h5_info_rule;
using enum h5_parameter_rule;

constexpr h5_byte_rule floats_from(std::uint32_t i) { return {i, h5_byte_rule::kNever, h5_byte_rule::kNever}; }
constexpr h5_byte_rule byte_then_floats(std::uint32_t byteAt, std::uint32_t floatFrom)
{
    return {floatFrom, byteAt, h5_byte_rule::kNever};
}
constexpr h5_byte_rule bytes_from(std::uint32_t i) { return {h5_byte_rule::kNever, h5_byte_rule::kNever, i}; }

enum fact : unsigned { kL1LatLon = 1, kSkipBytes = 2, kRadiometerL3 = 4, kNetcdf = 8, kRadiometer = 16 };

constexpr product_kind_facts facts(unsigned f)
{
    return {(f & kL1LatLon) != 0, (f & kSkipBytes) != 0, (f & kRadiometerL3) != 0, (f & kNetcdf) != 0,
            (f & kRadiometer) != 0};
}

// One row per kind. Plane rules are listed float32, int16, uint16, uint8.
// clang-format off
constexpr hdf5_kind_traits kTraits[] = {
    // kind, label, shape, parameters, l3Grid, sgli, bytes, corners,
    //  byte rule, plane rules, info rule, unnamed tail, facts
    {PT_AMSR2_L1A, "GCOMW_AMSR2-L1A", rows_cols, entries, false, false, 2, geolocation_ab,
     floats_from(16), {P::rows_cols, P::rows_cols, P::none, P::none}, I::table_names, 4,
     facts(kL1LatLon | kSkipBytes | kNetcdf | kRadiometer)},
    {PT_AMSR2_L1B, "GCOMW_AMSR2-L1B", rows_cols, entries, false, false, 2, geolocation_a,
     floats_from(16), {P::rows_cols, P::none, P::rows_cols, P::none}, I::table_names, 2,
     facts(kL1LatLon | kSkipBytes | kNetcdf | kRadiometer)},
    {PT_AMSR2_L1R, "GCOMW_AMSR2-L1R", rows_cols, entries, false, false, 2, geolocation_a,
     floats_from(40), {P::rows_cols, P::none, P::rows_cols, P::none}, I::table_names, 2,
     facts(kL1LatLon | kNetcdf | kRadiometer)},
    {PT_AMSR2_L2_HIGH, "GCOMW_AMSR2-L2_High_reso", rows_cols_layers, entries, false, false, 2, geolocation_ab,
     floats_from(2), {P::rows_cols, P::l2high_pair_layers, P::none, P::none}, I::ab_pairs, 0,
     facts(kSkipBytes | kNetcdf | kRadiometer)},
    {PT_AMSR2_L2_LOW, "GCOMW_AMSR2-L2_Low_reso", rows_cols_layers, layers_then_entries, false, false, 2, geolocation,
     floats_from(1), {P::rows_cols, P::layers_of_rows_cols, P::none, P::none}, I::first_entry, 0,
     facts(kNetcdf | kRadiometer)},
    {PT_AMSR2_L3_BT, "GCOMW_AMSR2-L3_Brightnes", rows_cols, entries, true, false, 2, fixed,
     {}, {P::none, P::none, P::rows_cols, P::none}, I::label, 0,
     facts(kRadiometerL3 | kNetcdf | kRadiometer)},
    {PT_AMSR2_L3_GD, "GCOMW_AMSR2-L3_Geophisical", rows_cols_layers, layers, true, false, 2, fixed,
     {}, {P::none, P::layers_of_rows_cols, P::none, P::none}, I::label, 0,
     facts(kRadiometerL3 | kNetcdf | kRadiometer)},
    {PT_AMSRE_L1B, "AQUA_AMSR-E-L1B", rows_cols, entries, false, false, 2, geolocation_a,
     floats_from(16), {P::rows_cols, P::none, P::rows_cols, P::none}, I::table_names, 2,
     facts(kL1LatLon | kSkipBytes | kNetcdf | kRadiometer)},
    {PT_AMSRE_L1R, "AQUA_AMSR-E-L1R", rows_cols, entries, false, false, 2, geolocation_a,
     floats_from(40), {P::rows_cols, P::none, P::rows_cols, P::none}, I::table_names, 2,
     facts(kL1LatLon | kNetcdf | kRadiometer)},
    {PT_AMSRE_L2_HIGH, "AQUA_AMSR-E-L2_High_reso", rows_cols_layers, entries, false, false, 2, geolocation_ab,
     floats_from(2), {P::rows_cols, P::l2high_pair_layers, P::none, P::none}, I::ab_pairs, 0,
     facts(kSkipBytes | kNetcdf | kRadiometer)},
    {PT_AMSRE_L2_LOW, "AQUA_AMSR-E-L2_Low_reso", rows_cols_layers, layers_then_entries, false, false, 2, geolocation,
     floats_from(1), {P::rows_cols, P::layers_of_rows_cols, P::none, P::none}, I::label, 0,
     facts(kSkipBytes | kNetcdf | kRadiometer)},
    {PT_AMSRE_L3_BT, "AQUA_AMSR-E-L3_Brightnes", rows_cols, entries, true, false, 2, fixed,
     {}, {P::none, P::none, P::rows_cols, P::none}, I::label, 0,
     facts(kRadiometerL3 | kNetcdf | kRadiometer)},
    {PT_AMSRE_L3_GD, "AQUA_AMSR-E-L3_Geophisical", rows_cols_layers, layers, true, false, 2, fixed,
     {}, {P::none, P::layers_of_rows_cols, P::none, P::none}, I::label, 0,
     facts(kRadiometerL3 | kNetcdf | kRadiometer)},
    {PT_GSMAP_HOURLY, "GPM_GSMaP_Hourly_L3", cols_rows, entries, false, false, 4, fixed,
     {}, {P::transposed, P::none, P::none, P::none}, I::label, 0, {}},
    {PT_GSMAP_MONTHLY, "GPM_GSMaP_Monthly_L3", cols_rows, entries, false, false, 4, fixed,
     {}, {P::transposed, P::none, P::none, P::none}, I::label, 0, {}},
    {PT_DPR_DAILY, "GPM_DPR_Daily_L3", layered_grid, layers, false, false, 4, fixed,
     {}, {P::dpr_daily_layers, P::none, P::none, P::none}, I::label, 0, {}},
    {PT_DPR_MONTHLY, "GPM_DPR_Monthly_L3", layered_grid, layers, false, false, 4, fixed,
     {}, {P::dpr_monthly_layers, P::none, P::none, P::none}, I::label, 0, {}},
    {PT_DPRV7_DAILY, "GPM_DPRv7_Daily_L3", layered_grid, layers, false, false, 4, fixed,
     {}, {P::dpr_daily_layers, P::none, P::none, P::none}, I::label, 0, {}},
    {PT_DPRV7_MONTHLY, "GPM_DPRv7_Monthly_L3", layered_grid, layers, false, false, 4, fixed,
     {}, {P::dpr_monthly_layers, P::none, P::none, P::none}, I::label, 0, {}},
    {PT_SGLI_VNR, nullptr, rows_cols, entries, false, true, 2, fixed,
     byte_then_floats(12, 13), {P::rows_cols, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_POL, nullptr, rows_cols, entries, false, true, 2, fixed,
     byte_then_floats(13, 14), {P::rows_cols, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_IRS, nullptr, rows_cols, entries, false, true, 2, fixed,
     byte_then_floats(7, 8), {P::rows_cols, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_NWLR, nullptr, rows_cols, entries, false, true, 2, fixed,
     floats_from(11), {P::rows_cols, P::none, P::rows_cols, P::none}, I::label, 0, {}},
    {PT_SGLI_IWPR, nullptr, rows_cols, entries, false, true, 2, fixed,
     floats_from(4), {P::rows_cols, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_SST, nullptr, rows_cols, entries, false, true, 2, fixed,
     byte_then_floats(2, 3), {P::rows_cols, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_LTOA, nullptr, rows_cols, entries, false, true, 2, fixed,
     bytes_from(32), {P::none, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_RSRF, nullptr, rows_cols, entries, false, true, 2, fixed,
     bytes_from(22), {P::none, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_LST, nullptr, rows_cols, entries, false, true, 2, fixed,
     bytes_from(2), {P::none, P::none, P::rows_cols, P::rows_cols}, I::label, 0, {}},
    {PT_SGLI_CLFG, nullptr, rows_cols, entries, false, true, 2, fixed,
     {}, {P::none, P::none, P::rows_cols, P::none}, I::label, 0, {}},
};
// clang-format on

struct l3_grid_size {
    std::uint64_t width;
    std::uint64_t height;
    L3PsType grid;
};

// Both resolutions of each grid (the coarse one first).
constexpr l3_grid_size kL3Grids[] = {
    {3600, 1800, PS_NONE},      {1440, 720, PS_NONE},       {304, 448, PS_NSIDC_NORTH}, {760, 1120, PS_NSIDC_NORTH},
    {316, 332, PS_NSIDC_SOUTH}, {790, 830, PS_NSIDC_SOUTH}, {432, 574, PS_SNOW_NORTH},  {1080, 1435, PS_SNOW_NORTH},
};

struct corner_set {
    earthPoint_t p[4]; // upper-left, upper-right, lower-left, lower-right
};

constexpr corner_set kNsidcNorth{{{30.98, 168.35}, {31.37, 102.34}, {33.92, 279.26}, {34.35, 350.03}}};
constexpr corner_set kNsidcSouth{{{-39.23, 317.76}, {-39.23, 42.24}, {-41.45, 225.0}, {-41.45, 135.0}}};
constexpr corner_set kSnowNorth{{{21.48, 309.8}, {21.39, 230.08}, {14.59, 55.63}, {14.52, 124.47}}};
constexpr corner_set kGsmapGlobe{{{90, -180}, {90, 180}, {-90, -180}, {-90, 180}}};
constexpr corner_set kDprBand{{{67, -180}, {67, 180}, {-67, -180}, {-67, 180}}};
constexpr corner_set kGlobeFrom0{{{90, 0}, {90, 360}, {-90, 0}, {-90, 360}}};

const corner_set& corner_set_of(productType kind, L3PsType grid)
{
    const auto* t = hdf5_traits_of(kind);
    if (t && t->l3Grid) {
        switch (grid) {
        case PS_NSIDC_NORTH: return kNsidcNorth;
        case PS_NSIDC_SOUTH: return kNsidcSouth;
        case PS_SNOW_NORTH: return kSnowNorth;
        case PS_NONE: return kGlobeFrom0;
        }
    }
    if (kind == PT_GSMAP_HOURLY || kind == PT_GSMAP_MONTHLY) return kGsmapGlobe;
    if (kind >= PT_DPR_DAILY && kind <= PT_DPRV7_MONTHLY) return kDprBand;
    return kGlobeFrom0;
}

} // namespace

const hdf5_kind_traits* hdf5_traits_of(productType kind)
{
    for (const auto& t : kTraits) {
        if (t.kind == kind) return &t;
    }
    return nullptr;
}

h5_plane_rule h5_plane_rules::of(h5_sample stored) const
{
    switch (stored) {
    case h5_sample::float32: return float32;
    case h5_sample::int16: return int16;
    case h5_sample::uint16: return uint16;
    case h5_sample::uint8: return uint8;
    }
    return h5_plane_rule::none;
}

std::uint32_t h5_byte_rule::bytes(std::uint32_t idx, std::uint32_t otherwise) const
{
    if (idx == byteAt) return 1;
    if (idx >= floatFrom) return 4;
    if (idx >= byteFrom) return 1;
    return otherwise;
}

// Every kind with facts is an HDF5 kind, so they live in the HDF5 rows.
const product_kind_facts* product_kind_facts_of(productType kind)
{
    const auto* t = hdf5_traits_of(kind);
    return t ? &t->facts : nullptr;
}

bool is_l1_latlon_kind(productType kind)
{
    const auto* f = product_kind_facts_of(kind);
    return f && f->l1LatLon;
}

bool skips_byte_attributes(productType kind)
{
    const auto* f = product_kind_facts_of(kind);
    return f && f->skipByteAttributes;
}

bool is_radiometer_l3_kind(productType kind)
{
    const auto* f = product_kind_facts_of(kind);
    return f && f->radiometerL3;
}

bool is_netcdf_capable(productType kind)
{
    const auto* f = product_kind_facts_of(kind);
    return f && f->netcdfCapable;
}

// Signed geophysical counts: -32768 outside the observation, -32767
// missing; unsigned brightness counts: 65535 missing, 65534 out of range.
// No count of a physical value comes near them.
constexpr std::int32_t kRadiometerFills[] = {-32768, -32767, 65534, 65535};

std::span<const std::int32_t> stored_fill_values(productType kind)
{
    const auto* f = product_kind_facts_of(kind);
    if (f && f->radiometer) return kRadiometerFills;
    return {};
}

std::optional<L3PsType> classify_l3_grid(std::uint64_t width, std::uint64_t height)
{
    for (const auto& g : kL3Grids) {
        if (g.width == width && g.height == height) return g.grid;
    }
    return std::nullopt;
}

void fixed_corners(productType kind, L3PsType grid, earthPoint_t corners[4])
{
    const corner_set& set = corner_set_of(kind, grid);
    for (int i = 0; i < 4; ++i) corners[i] = set.p[i];
}

} // namespace vardane
