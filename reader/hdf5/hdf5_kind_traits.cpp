#include "reader/hdf5/hdf5_kind_traits.h"

namespace {

using enum h5_shape_rule;
using enum h5_corner_source;

constexpr hdf5_kind_traits kTraits[] = {
    // kind, label, shape, layered, l3Grid, sgli, bytes, corners
    {PT_AMSR2_L1A, "GCOMW_AMSR2-L1A", rows_cols, false, false, false, 2, geolocation_ab},
    {PT_AMSR2_L1B, "GCOMW_AMSR2-L1B", rows_cols, false, false, false, 2, geolocation_a},
    {PT_AMSR2_L1R, "GCOMW_AMSR2-L1R", rows_cols, false, false, false, 2, geolocation_a},
    {PT_AMSR2_L2_HIGH, "GCOMW_AMSR2-L2_High_reso", rows_cols_layers, false, false, false, 2, geolocation_ab},
    {PT_AMSR2_L2_LOW, "GCOMW_AMSR2-L2_Low_reso", rows_cols_layers, false, false, false, 2, geolocation},
    {PT_AMSR2_L3_BT, "GCOMW_AMSR2-L3_Brightnes", rows_cols, false, true, false, 2, fixed},
    {PT_AMSR2_L3_GD, "GCOMW_AMSR2-L3_Geophisical", rows_cols_layers, true, true, false, 2, fixed},
    {PT_AMSRE_L1B, "AQUA_AMSR-E-L1B", rows_cols, false, false, false, 2, geolocation_a},
    {PT_AMSRE_L1R, "AQUA_AMSR-E-L1R", rows_cols, false, false, false, 2, geolocation_a},
    {PT_AMSRE_L2_HIGH, "AQUA_AMSR-E-L2_High_reso", rows_cols_layers, false, false, false, 2, geolocation_ab},
    {PT_AMSRE_L2_LOW, "AQUA_AMSR-E-L2_Low_reso", rows_cols_layers, false, false, false, 2, geolocation},
    {PT_AMSRE_L3_BT, "AQUA_AMSR-E-L3_Brightnes", rows_cols, false, true, false, 2, fixed},
    {PT_AMSRE_L3_GD, "AQUA_AMSR-E-L3_Geophisical", rows_cols_layers, true, true, false, 2, fixed},
    {PT_GSMAP_HOURLY, "GPM_GSMaP_Hourly_L3", cols_rows, false, false, false, 4, fixed},
    {PT_GSMAP_MONTHLY, "GPM_GSMaP_Monthly_L3", cols_rows, false, false, false, 4, fixed},
    {PT_DPR_DAILY, "GPM_DPR_Daily_L3", layered_grid, true, false, false, 4, fixed},
    {PT_DPR_MONTHLY, "GPM_DPR_Monthly_L3", layered_grid, true, false, false, 4, fixed},
    {PT_DPRV7_DAILY, "GPM_DPRv7_Daily_L3", layered_grid, true, false, false, 4, fixed},
    {PT_DPRV7_MONTHLY, "GPM_DPRv7_Monthly_L3", layered_grid, true, false, false, 4, fixed},
    {PT_SGLI_VNR, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_POL, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_IRS, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_NWLR, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_IWPR, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_SST, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_LTOA, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_RSRF, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_LST, nullptr, rows_cols, false, false, true, 2, fixed},
    {PT_SGLI_CLFG, nullptr, rows_cols, false, false, true, 2, fixed},
};

struct l3_grid_size {
    std::uint64_t width;
    std::uint64_t height;
    L3PsType grid;
};

// Both resolutions of each grid (the coarse one first).
constexpr l3_grid_size kL3Grids[] = {
    {3600, 1800, PS_NONE},        {1440, 720, PS_NONE},
    {304, 448, PS_NSIDC_NORTH},   {760, 1120, PS_NSIDC_NORTH},
    {316, 332, PS_NSIDC_SOUTH},   {790, 830, PS_NSIDC_SOUTH},
    {432, 574, PS_SNOW_NORTH},    {1080, 1435, PS_SNOW_NORTH},
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
