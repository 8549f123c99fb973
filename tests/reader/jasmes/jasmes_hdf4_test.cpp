// JASMES HDF4 flag images: dataset choice, grids, area text, read-back.
#include "jasmes_test_support.h"

namespace vardane {

using namespace jasmes_test;

namespace {

class JasmesHdf4 : public ReaderTest {};

TEST_F(JasmesHdf4, FileWithBothFlagsUsesCloudFlag)
{
    const auto p = synth("JASMES_HDF4", "both.hdf", {{"flags", "both"}, {"area", "M5C_test_gobi"}});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDF4);
    EXPECT_EQ(info.getPara(), "cs_flg_tpf");
    EXPECT_EQ(info.productName(), "JASMES_cs_flg_tpf");
    EXPECT_EQ(describe(p).granule, "M5C_test_gobi");
    EXPECT_EQ(info.getJasmesHdf4Type(), "ghrm5c");
    EXPECT_EQ(info.getJasmesArea(), JA_GOBI);
    EXPECT_EQ(info.getHeaderSize(), -1);
    EXPECT_EQ(info.N_byte(0), 1u);
    EXPECT_EQ(describe(p).datasetCount, 2);
    expect_corners(info, 50.025, 74.975, 26.975, 147.025);

    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_UINT8);
    EXPECT_EQ(info.dataAttr().width, 1441);
    EXPECT_EQ(info.dataAttr().height, 461);
    EXPECT_EQ(info.dataAttr().bands, 1);
    const auto want = synth_counts(1441, 461, 1, 0, 254, 255);
    ASSERT_EQ(info.byteRaster().size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) ASSERT_EQ(info.byteRaster()[i], want[i]) << i;
    EXPECT_FALSE(info.get_dataSource(1, dtype));
}

TEST_F(JasmesHdf4, SurfaceFlagAndSixteenBitFlags)
{
    spinfo info;
    recognise(info, synth("JASMES_HDF4", "surface.hdf", {{"flags", "surface"}, {"area", "MYD_surface"}}));
    ASSERT_EQ(info.getType(), PT_JASMES_HDF4);
    EXPECT_EQ(info.getPara(), "Surface_Flag");
    EXPECT_EQ(info.getJasmesHdf4Type(), "mds10c");

    // A 16-bit cloud flag is not the product; alone, the file is no product.
    recognise(info, synth("JASMES_HDF4", "cs16.hdf", {{"flags", "cs"}, {"bits", "16"}}));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.getJasmesHdf4Type(), "");

    // Beside an 8-bit surface flag, the surface flag is taken.
    const auto p = path("mixed.hdf");
    ASSERT_TRUE(write_jasmes_hdf4(p, 200, 100, {{"cs_flg_tpf", 16, true}, {"Surface_Flag", 8, true}}, "XYZ", 3));
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDF4);
    EXPECT_EQ(info.getPara(), "Surface_Flag");
    EXPECT_EQ(info.getJasmesHdf4Type(), "mds10c"); // any other three characters
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(info.byteRaster().size(), 200u * 100u);
}

TEST_F(JasmesHdf4, GridsAndGlobalFallback)
{
    spinfo info;
    const auto japan5 = synth("JASMES_HDF4", "japan5.hdf", {{"grid", "japan5"}});
    recognise(info, japan5);
    ASSERT_EQ(info.getType(), PT_JASMES_HDF4);
    EXPECT_EQ(info.getJasmesArea(), JA_JAPAN);
    const auto grid = describe(japan5);
    EXPECT_DOUBLE_EQ(grid.resolution, 0.005);
    EXPECT_DOUBLE_EQ(grid.lonOrigin, 123.0);
    EXPECT_DOUBLE_EQ(grid.latOrigin, 49.0);
    expect_corners(info, 49.0025, 122.9975, 49.0 - 5000 * 0.005 - 0.0025, 123.0 + 5000 * 0.005 + 0.0025);

    const auto odd = path("odd.hdf");
    ASSERT_TRUE(write_jasmes_hdf4(odd, 1000, 1000, {{"cs_flg_tpf", 8, true}}, "M5", 2));
    recognise(info, odd);
    ASSERT_EQ(info.getType(), PT_JASMES_HDF4);
    EXPECT_EQ(info.getJasmesArea(), JA_GLOBAL);
    const auto global = describe(odd);
    EXPECT_DOUBLE_EQ(global.resolution, 0.05);
    EXPECT_DOUBLE_EQ(global.latOrigin, 90.0);
    EXPECT_EQ(global.granule, "M5");
    EXPECT_EQ(info.getJasmesHdf4Type(), ""); // area text shorter than three
    expect_corners(info, 90.025, -0.025, 90.0 - 999 * 0.05 - 0.025, 999 * 0.05 + 0.025);
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(info.dataAttr().width, 1000);

    // No area attribute at all.
    const auto bare = path("bare.hdf");
    ASSERT_TRUE(write_jasmes_hdf4(bare, 50, 40, {{"Surface_Flag", 8, true}}, "", 2));
    recognise(info, bare);
    ASSERT_EQ(info.getType(), PT_JASMES_HDF4);
    EXPECT_EQ(describe(bare).granule, "");
    EXPECT_EQ(info.getJasmesHdf4Type(), "");

    // The family code belongs to HDF4 files only: none stays for a flat binary.
    recognise(info, synth("JASMES_HDF4", "m5c.hdf", {{"area", "M5C_x"}}));
    ASSERT_EQ(info.getJasmesHdf4Type(), "ghrm5c");
    recognise(info, synth("JASMES_RAW", "wf.dat"));
    ASSERT_EQ(info.getType(), PT_JASMES_RAW);
    EXPECT_EQ(info.getJasmesHdf4Type(), "");
}

} // namespace

} // namespace vardane
