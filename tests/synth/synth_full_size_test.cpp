// --full writes the real product sizes (slow: large files).
#include "synth_known_values.h"
#include "synth_test_support.h"

using namespace synth_test;

TEST(FullSizes, RadiometerSwathAndL3AndGsmap)
{
    temp_dir dir;
    synth_options full = options();
    full.full = true;
    {
        const auto path = dir.file("l1b.h5");
        ASSERT_TRUE(write_kind("AMSR2_L1B", path, full));
        H5::H5File f(path, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet("Brightness Temperature (89.0GHz-A,H)")), (std::vector<hsize_t>{2040, 486}));
        EXPECT_EQ(dims_of(f.openDataSet("Brightness Temperature (6.9GHz,V)")), (std::vector<hsize_t>{2040, 243}));
    }
    {
        const auto path = dir.file("l3.h5");
        ASSERT_TRUE(write_kind("AMSR2_L3_BT", path, full));
        H5::H5File f(path, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet("Brightness Temperature (H)")), (std::vector<hsize_t>{1800, 3600}));
        const auto h = read_all<std::uint16_t>(f, "Brightness Temperature (H)");
        const auto m = synth_known::l3_marker_cell(3600, 1800);
        ASSERT_TRUE(m);
        EXPECT_EQ(h[m->first * 3600 + m->second], synth_known::kMarkerU16);
    }
    {
        const auto path = dir.file("gsmap.h5");
        ASSERT_TRUE(write_kind("GSMAP_HOURLY", path, full));
        H5::H5File f(path, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet("/Grid/hourlyPrecipRate")), (std::vector<hsize_t>{3600, 1800}));
    }
    {
        const auto path = dir.file("dpr.h5");
        ASSERT_TRUE(write_kind("DPR_MONTHLY", path, full));
        H5::H5File f(path, H5F_ACC_RDONLY);
        EXPECT_EQ(dims_of(f.openDataSet("/Grids/G2/precipRateESurface/mean")), (std::vector<hsize_t>{3, 5, 1440, 536}));
    }
}
