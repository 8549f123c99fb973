// The generator's variants (grid sizes, tiles, ranks, layers) come back through
// spinfo as the files they stand for. Every default kind read parameter by
// parameter is covered by the reader's own tests over the synthetic products.
#include <filesystem>

#include "reader/spinfo.h"
#include "synth_known_values.h"
#include "synth_test_support.h"

using namespace synth_test;
namespace sk = synth_known;

namespace {

void init(spinfo& info, const std::string& path)
{
    info.init(path, std::filesystem::file_size(path));
}

} // namespace

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
