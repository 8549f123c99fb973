#include "reader/hdf5/hdf5_dataset_tables.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vardane {

namespace {

using table = std::vector<hdfParam_t>;
using h5_sample::float32;
using h5_sample::int16;
using h5_sample::uint16;
using h5_sample::uint8;

// Radiometer channels: every frequency with H then V polarisation.
constexpr std::string_view kFrequencies[] = {"6.9GHz",  "7.3GHz",  "10.7GHz",   "18.7GHz",
                                             "23.8GHz", "36.5GHz", "89.0GHz-A", "89.0GHz-B"};
constexpr std::string_view kPolarisations[] = {"H", "V"};

// Resampled channels: each resolution tag covers the frequencies from its
// own one upwards; the original 89 GHz channels follow.
constexpr std::string_view kResampledFrequencies[] = {"6.9GHz",  "7.3GHz",  "10.7GHz", "18.7GHz",
                                                      "23.8GHz", "36.5GHz", "89.0GHz"};
struct resolution_group {
    std::string_view tag;
    std::size_t firstFrequency;
};
constexpr resolution_group kResolutionGroups[] = {{"res06", 0}, {"res10", 2}, {"res23", 3}, {"res36", 5}};
constexpr std::string_view kOriginalFrequencies[] = {"89GHz-A", "89GHz-B"};

constexpr std::string_view kGeolocation89[] = {
    "Latitude of Observation Point for 89A", "Latitude of Observation Point for 89B",
    "Longitude of Observation Point for 89A", "Longitude of Observation Point for 89B"};

void add(table& t, std::string name, h5_sample type, std::int32_t rank = 2)
{
    t.push_back(hdfParam_t{std::move(name), type, rank});
}

void add_all(table& t, std::initializer_list<std::string_view> names, h5_sample type)
{
    for (const auto n : names) add(t, std::string(n), type);
}

void add_channels(table& t, std::string_view prefix, std::string_view tag, const std::string_view* first,
                  const std::string_view* last, h5_sample type)
{
    for (auto f = first; f != last; ++f) {
        for (const auto p : kPolarisations) {
            std::string name(prefix);
            name += " (";
            if (!tag.empty()) (name += tag) += ',';
            ((name += *f) += ',') += p;
            add(t, name + ")", type);
        }
    }
}

void add_geolocation_89(table& t)
{
    for (const auto n : kGeolocation89) add(t, std::string(n), float32);
}

// "/Image_data/<prefix>NN" for NN = first .. last, two digits.
void add_numbered(table& t, std::string_view prefix, int first, int last, h5_sample type)
{
    for (int i = first; i <= last; ++i) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%02d", i);
        add(t, "/Image_data/" + std::string(prefix) + digits, type);
    }
}

void add_image(table& t, std::string_view name, h5_sample type) { add(t, "/Image_data/" + std::string(name), type); }

void add_sgli_geolocation(table& t)
{
    add(t, "/Geometry_data/Latitude", float32);
    add(t, "/Geometry_data/Longitude", float32);
}

// Polarisation channels: P1, P2 at 0, -60 and +60 degrees, then the Stokes
// images I, Q, U of both bands.
void add_polarisation_channels(table& t)
{
    for (const auto band : {"P1", "P2"}) {
        for (const auto angle : {"0", "m60", "p60"}) add_image(t, std::string("Lt_") + band + "_" + angle, uint16);
    }
    for (const auto stokes : {"PI", "PQ", "PU"}) add_numbered(t, std::string("Lt_") + stokes, 1, 2, uint16);
}

// Tile VN bands: 01-08, the 08P band, 09-11, the 11P band.
void add_tile_vn_channels(table& t, std::string_view prefix)
{
    const std::string vn = std::string(prefix) + "VN";
    add_numbered(t, vn, 1, 8, uint16);
    add_image(t, vn + "08P", uint16);
    add_numbered(t, vn, 9, 11, uint16);
    add_image(t, vn + "11P", uint16);
}

table make_l1a()
{
    table t;
    add_channels(t, "Observation Count", "", std::begin(kFrequencies), std::end(kFrequencies), int16);
    add_geolocation_89(t);
    return t;
}

table make_l1b()
{
    table t;
    add_channels(t, "Brightness Temperature", "", std::begin(kFrequencies), std::end(kFrequencies), uint16);
    add_geolocation_89(t);
    return t;
}

table make_l1r()
{
    table t;
    for (const auto& g : kResolutionGroups) {
        add_channels(t, "Brightness Temperature", g.tag, std::begin(kResampledFrequencies) + g.firstFrequency,
                     std::end(kResampledFrequencies), uint16);
    }
    add_channels(t, "Brightness Temperature", "original", std::begin(kOriginalFrequencies),
                 std::end(kOriginalFrequencies), uint16);
    add_geolocation_89(t);
    return t;
}

table make_l2_high()
{
    table t;
    add(t, "Geophysical Data for 89A", int16, 3);
    add(t, "Geophysical Data for 89B", int16, 3);
    add_geolocation_89(t);
    return t;
}

table make_l2_low()
{
    table t;
    add(t, "Geophysical Data", int16, 3);
    add(t, "Latitude of Observation Point", float32);
    add(t, "Longitude of Observation Point", float32);
    return t;
}

table make_l3_bt()
{
    table t;
    add_all(t, {"Brightness Temperature (H)", "Brightness Temperature (V)"}, uint16);
    return t;
}

table single(std::string_view name, h5_sample type, std::int32_t rank)
{
    table t;
    add(t, std::string(name), type, rank);
    return t;
}

table make_vnr()
{
    table t;
    add_numbered(t, "Lt_VN", 1, 11, uint16);
    add_image(t, "QA_flag", uint16);
    add_image(t, "Land_water_flag", uint8);
    add_sgli_geolocation(t);
    return t;
}

table make_pol()
{
    table t;
    add_polarisation_channels(t);
    add_image(t, "QA_flag", uint16);
    add_image(t, "Land_water_flag", uint8);
    add_sgli_geolocation(t);
    return t;
}

table make_irs()
{
    table t;
    add_numbered(t, "Lt_SW", 1, 4, uint16);
    add_numbered(t, "Lt_TI", 1, 2, uint16);
    add_image(t, "QA_flag", uint16);
    add_image(t, "Land_water_flag", uint8);
    add_sgli_geolocation(t);
    return t;
}

table make_nwlr()
{
    table t;
    for (const auto nm : {"380", "412", "443", "490", "530", "565", "670"})
        add_image(t, std::string("NWLR_") + nm, uint16);
    for (const auto n : {"PAR", "TAUA_670", "TAUA_865", "QA_flag"}) add_image(t, n, uint16);
    add_sgli_geolocation(t);
    return t;
}

table make_iwpr()
{
    table t;
    for (const auto n : {"CDOM", "CHLA", "TSM", "QA_flag"}) add_image(t, n, uint16);
    add_sgli_geolocation(t);
    return t;
}

table make_sst()
{
    table t;
    add_image(t, "SST", uint16);
    add_image(t, "QA_flag", uint16);
    add_image(t, "Cloud_probability", uint8);
    add_sgli_geolocation(t);
    return t;
}

table make_ltoa()
{
    table t;
    add_polarisation_channels(t);
    add_numbered(t, "Lt_SW", 1, 4, uint16);
    add_numbered(t, "Lt_TI", 1, 2, uint16);
    add_tile_vn_channels(t, "Lt_");
    add_image(t, "QA_flag", uint16);
    add_image(t, "Land_water_flag", uint8);
    return t;
}

table make_rsrf()
{
    table t;
    add_numbered(t, "Rs_PI", 1, 2, uint16);
    add_numbered(t, "Rs_SW", 1, 4, uint16);
    add_tile_vn_channels(t, "Rs_");
    add_numbered(t, "Tb_TI", 1, 2, uint16);
    add_image(t, "QA_flag", uint16);
    for (const auto n : {"Angstrom", "Land_water_flag", "PAR", "Tau_500", "SWR"}) add_image(t, n, uint8);
    return t;
}

table make_lst()
{
    table t;
    add_image(t, "LST", uint16);
    add_image(t, "QA_flag", uint16);
    add_numbered(t, "E", 1, 2, uint8);
    return t;
}

struct kind_table {
    productType kind;
    table entries;
};

// Built once: the tables are the same for every file.
std::vector<kind_table> make_tables()
{
    const table l1b = make_l1b();
    const table l1r = make_l1r();
    const table l2High = make_l2_high();
    const table l2Low = make_l2_low();
    const table l3BT = make_l3_bt();
    const table l3GD = single("Geophysical Data", int16, 3);
    return {
        {PT_AMSR2_L1A, make_l1a()},
        {PT_AMSR2_L1B, l1b},
        {PT_AMSR2_L1R, l1r},
        {PT_AMSR2_L2_HIGH, l2High},
        {PT_AMSR2_L2_LOW, l2Low},
        {PT_AMSR2_L3_BT, l3BT},
        {PT_AMSR2_L3_GD, l3GD},
        {PT_AMSRE_L1B, l1b},
        {PT_AMSRE_L1R, l1r},
        {PT_AMSRE_L2_HIGH, l2High},
        {PT_AMSRE_L2_LOW, l2Low},
        {PT_AMSRE_L3_BT, l3BT},
        {PT_AMSRE_L3_GD, l3GD},
        {PT_GSMAP_HOURLY, single("/Grid/hourlyPrecipRate", float32, 2)},
        {PT_GSMAP_MONTHLY, single("/Grid/monthlyPrecipRate", float32, 2)},
        {PT_DPR_DAILY, single("/GRID/precipRateESurfMean", float32, 4)},
        {PT_DPR_MONTHLY, single("/Grids/G2/precipRateESurface/mean", float32, 4)},
        {PT_DPRV7_DAILY, single("/GRID/precipRateESurfaceMean", float32, 4)},
        {PT_DPRV7_MONTHLY, single("/FS/G2/precipRateESurface/mean", float32, 4)},
        {PT_SGLI_VNR, make_vnr()},
        {PT_SGLI_POL, make_pol()},
        {PT_SGLI_IRS, make_irs()},
        {PT_SGLI_NWLR, make_nwlr()},
        {PT_SGLI_IWPR, make_iwpr()},
        {PT_SGLI_SST, make_sst()},
        {PT_SGLI_LTOA, make_ltoa()},
        {PT_SGLI_RSRF, make_rsrf()},
        {PT_SGLI_LST, make_lst()},
        {PT_SGLI_CLFG, single("/Image_data/Cloud_flag", uint16, 2)},
    };
}

} // namespace

const std::vector<hdfParam_t>* hdf5_table_of(productType kind)
{
    static const std::vector<kind_table> tables = make_tables();
    for (const auto& k : tables) {
        if (k.kind == kind) return &k.entries;
    }
    return nullptr;
}

bool holds_codes(std::string_view datasetPath)
{
    constexpr std::string_view kFlagSuffix = "_flag";
    const std::string_view leaf = datasetPath.substr(datasetPath.rfind('/') + 1);
    if (leaf.size() < kFlagSuffix.size()) return false;
    const std::string_view tail = leaf.substr(leaf.size() - kFlagSuffix.size());
    return std::ranges::equal(tail, kFlagSuffix,
                              [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

} // namespace vardane
