// Every synthetic kind is recognised by spinfo::init as its product kind, and
// the known values come back through get_dataSource where the reader puts them.
#include <filesystem>

#include "reader/spinfo.h"
#include "synth_known_values.h"
#include "synth_test_support.h"

using namespace synth_test;
namespace sk = synth_known;

namespace {

struct recognition_case {
    const char* kind;
    productType expected;
};

const recognition_case kCases[] = {
    {"AMSR2_L1A", PT_AMSR2_L1A},         {"AMSR2_L1B", PT_AMSR2_L1B},         {"AMSR2_L1R", PT_AMSR2_L1R},
    {"AMSR2_L2_HIGH", PT_AMSR2_L2_HIGH}, {"AMSR2_L2_LOW", PT_AMSR2_L2_LOW},   {"AMSR2_L3_BT", PT_AMSR2_L3_BT},
    {"AMSR2_L3_GD", PT_AMSR2_L3_GD},     {"AMSRE_L1B", PT_AMSRE_L1B},         {"AMSRE_L1R", PT_AMSRE_L1R},
    {"AMSRE_L2_HIGH", PT_AMSRE_L2_HIGH}, {"AMSRE_L2_LOW", PT_AMSRE_L2_LOW},   {"AMSRE_L3_BT", PT_AMSRE_L3_BT},
    {"AMSRE_L3_GD", PT_AMSRE_L3_GD},     {"GSMAP_HOURLY", PT_GSMAP_HOURLY},   {"GSMAP_MONTHLY", PT_GSMAP_MONTHLY},
    {"DPR_DAILY", PT_DPR_DAILY},         {"DPR_MONTHLY", PT_DPR_MONTHLY},     {"DPRV7_DAILY", PT_DPRV7_DAILY},
    {"DPRV7_MONTHLY", PT_DPRV7_MONTHLY}, {"SGLI_VNR", PT_SGLI_VNR},           {"SGLI_POL", PT_SGLI_POL},
    {"SGLI_IRS", PT_SGLI_IRS},           {"SGLI_NWLR", PT_SGLI_NWLR},         {"SGLI_IWPR", PT_SGLI_IWPR},
    {"SGLI_SST", PT_SGLI_SST},           {"SGLI_LTOA", PT_SGLI_LTOA},         {"SGLI_RSRF", PT_SGLI_RSRF},
    {"SGLI_LST", PT_SGLI_LST},           {"SGLI_CLFG", PT_SGLI_CLFG},
};

void init(spinfo& info, const std::string& path)
{
    info.init(path, std::filesystem::file_size(path));
}

} // namespace

TEST(ReaderRecognition, EveryKindIsRecognisedAndReadsItsFirstParameter)
{
    temp_dir dir;
    for (const auto& c : kCases) {
        const auto path = dir.file(std::string(c.kind) + ".h5");
        ASSERT_TRUE(write_kind(c.kind, path)) << c.kind;
        spinfo info;
        init(info, path);
        ASSERT_EQ(info.getType(), c.expected) << c.kind;
        ASSERT_GT(info.N_count(), 0u) << c.kind;
        std::int32_t dtype = -1;
        ASSERT_TRUE(info.get_dataSource(0, dtype)) << c.kind;
        // Parameter 0 starts with the origin value wherever the reader puts stored [0][0].
        const auto w = static_cast<std::size_t>(info.dataAttr.width);
        const auto h = static_cast<std::size_t>(info.dataAttr.height);
        const bool flipped = c.expected >= PT_GSMAP_HOURLY && c.expected <= PT_DPRV7_MONTHLY;
        const std::size_t origin = flipped ? (h - 1) * w : 0;
        const std::size_t tag = flipped ? (h - 1) * w + 1 : 1;
        switch (dtype) {
        case DT_UINT16:
            EXPECT_EQ(info.shortRaster[origin], sk::kOriginU16) << c.kind;
            EXPECT_EQ(info.shortRaster[tag], sk::kTagBase) << c.kind;
            break;
        case DT_INT16:
            EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[origin]), sk::kOriginI16) << c.kind;
            EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[tag]), sk::kTagBase) << c.kind;
            break;
        case DT_FLOAT32:
            EXPECT_EQ(info.floatRaster[origin], sk::kOriginFloat) << c.kind;
            EXPECT_EQ(info.floatRaster[tag], sk::kTagBase) << c.kind;
            break;
        default: ADD_FAILURE() << c.kind << " dtype " << dtype;
        }
    }
}

TEST(ReaderRecognition, GridVariantsTileNumbersAndLastParameter)
{
    temp_dir dir;
    const auto grids = std::vector<std::pair<std::string, L3PsType>>{
        {"latlon_0.1", PS_NONE},         {"latlon_0.25", PS_NONE},        {"nsidc_north_25km", PS_NSIDC_NORTH},
        {"nsidc_north_10km", PS_NSIDC_NORTH}, {"nsidc_south_25km", PS_NSIDC_SOUTH}, {"nsidc_south_10km", PS_NSIDC_SOUTH},
        {"snow_north_25km", PS_SNOW_NORTH}, {"snow_north_10km", PS_SNOW_NORTH}};
    for (const auto& [grid, type] : grids) {
        const auto path = dir.file("l3.h5");
        ASSERT_TRUE(write_kind("AMSR2_L3_GD", path, options({{"grid", grid}, {"layers", "2"}})));
        spinfo info;
        init(info, path);
        ASSERT_EQ(info.getType(), PT_AMSR2_L3_GD) << grid;
        EXPECT_EQ(info.getL3PolarStereoType(), type) << grid;
        ASSERT_EQ(info.N_count(), 2u);
        std::int32_t dtype = -1;
        ASSERT_TRUE(info.get_dataSource(1, dtype));
        const auto m = sk::l3_marker_cell(info.dataAttr.width, info.dataAttr.height);
        ASSERT_TRUE(m);
        const auto at = m->first * static_cast<std::size_t>(info.dataAttr.width) + m->second;
        EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[at]), sk::kMarkerI16) << grid;
        EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[1]), sk::kTagBase + 1) << grid;
    }
    {
        const auto path = dir.file("odd.h5");
        ASSERT_TRUE(write_kind("AMSR2_L3_BT", path, options({{"grid", "2000x1000"}})));
        spinfo info;
        init(info, path);
        EXPECT_EQ(info.getType(), PT_UNKNOWN);
    }
    {
        const auto path = dir.file("tile.h5");
        ASSERT_TRUE(write_kind("SGLI_RSRF", path, options({{"tile", "2905"}})));
        spinfo info;
        init(info, path);
        // The name holds the vertical tile number at 21-22, which the reader
        // keeps as tileH; the run driver hands (tileV, tileH) on as
        // (horizontal, vertical), so the writers get h = 29, v = 5.
        EXPECT_EQ(info.tileH, 5);
        EXPECT_EQ(info.tileV, 29);
    }
    {
        const auto path = dir.file("dpr3.h5");
        ASSERT_TRUE(write_kind("DPR_DAILY", path, options({{"rank", "3"}, {"layers", "4"}})));
        spinfo info;
        init(info, path);
        ASSERT_EQ(info.getType(), PT_DPR_DAILY);
        EXPECT_EQ(info.N_count(), 4u);
        std::int32_t dtype = -1;
        ASSERT_TRUE(info.get_dataSource(3, dtype));
        const auto w = static_cast<std::size_t>(info.dataAttr.width);
        const auto h = static_cast<std::size_t>(info.dataAttr.height);
        EXPECT_EQ(info.floatRaster[(h - 1) * w + 1], sk::kTagBase + 3.0f);
        // The marker lands at the row and column of its latitude and longitude (north-up).
        const auto m = sk::dpr_marker_cell(static_cast<int>(w), static_cast<int>(h));
        EXPECT_EQ(info.floatRaster[(h - 1 - m.second) * w + m.first], sk::kMarkerFloat);
    }
    {
        const auto path = dir.file("l2h.h5");
        ASSERT_TRUE(write_kind("AMSR2_L2_HIGH", path, options({{"strings", "fixed"}})));
        spinfo info;
        init(info, path);
        ASSERT_EQ(info.getType(), PT_AMSR2_L2_HIGH);
        EXPECT_EQ(info.getGeophsyicalName(), "PRC");
        EXPECT_EQ(info.attributes["ProductName"], "AMSR2-L2");
        std::int32_t dtype = -1;
        ASSERT_TRUE(info.get_dataSource(1, dtype));
        EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[1]), sk::kTagBase + 1);
    }
}
