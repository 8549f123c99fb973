// What the every-kind sweep of synthetic products cannot show: copy rules at
// the edges of a dataset, scale factors, corners from scaled geolocation,
// parameter descriptions, masks.
#include <gtest/gtest.h>

#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_products.h"
#include "reader/spinfo.h"

namespace vardane {

namespace {

using h5fx::pattern;

class Hdf5Read : public ::testing::Test {
protected:
    // Reads idx and checks the delivered shape and buffer code.
    void read(spinfo& info, std::uint32_t idx, std::int32_t expectedType)
    {
        std::int32_t dtype = 99;
        ASSERT_TRUE(info.get_dataSource(idx, dtype)) << "idx " << idx;
        ASSERT_EQ(dtype, expectedType);
        EXPECT_EQ(static_cast<std::uint32_t>(info.dataAttr().width), info.N_pixel(idx));
        EXPECT_EQ(static_cast<std::uint32_t>(info.dataAttr().height), info.N_line(idx));
    }

    static void expect_corners(const earthPoint_t (&got)[4], const earthPoint_t (&want)[4], double eps = 1e-9)
    {
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(got[i].lat, want[i].lat, eps) << "corner " << i;
            EXPECT_NEAR(got[i].lon, want[i].lon, eps) << "corner " << i;
        }
    }

    h5fx::temp_dir dir_;
};

TEST_F(Hdf5Read, DprDailyBitPickingNeverLeavesTheDataset)
{
    // Three by two layers: index 5 would be i = 1, j = 2, past the second extent.
    const auto path = dir_ / "dpr_odd.h5";
    {
        h5fx::file f(path);
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "DAY"));
        f.dataset<float>("/GRID/precipRateESurfaceMean", {3, 2, 4, 5});
    }
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_DPRV7_DAILY);
    ASSERT_EQ(info.N_count(), 6u);
    std::int32_t dtype = 0;
    EXPECT_FALSE(info.get_dataSource(5, dtype));
    EXPECT_TRUE(info.floatRaster().empty());
    read(info, 3, DT_FLOAT32); // i = 1, j = 1
    EXPECT_EQ(info.floatRaster()[0], pattern(((1 * 2 + 1) * 4 + 0) * 5 + 4));
}

TEST_F(Hdf5Read, L2HighOddIndexIs89BWithItsOwnCorners)
{
    for (const auto& [name, kind] :
         {std::pair{"AMSR2-L2", PT_AMSR2_L2_HIGH}, std::pair{"AMSR-E-L2", PT_AMSRE_L2_HIGH}}) {
        const auto path = dir_ / "l2high.h5";
        h5prod::write_radiometer(path, name, PT_AMSR2_L2_HIGH, 4, 6, 2,
                                 {{"Latitude of Observation Point for 89B", 2.0f}});
        spinfo info;
        h5prod::init(info, path);
        ASSERT_EQ(info.getType(), kind);
        read(info, 1, DT_INT16); // first layer of 89B
        EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster()[23]), pattern(23 * 2));
        // Corners: 89A latitude unscaled, 89B latitude doubled.
        const earthPoint_t a[4] = {{0, 0}, {5, 5}, {18, 18}, {23, 23}};
        const earthPoint_t b[4] = {{0, 0}, {10, 5}, {36, 18}, {46, 23}};
        productInfo_t pi;
        info.get_productInfo(1, pi);
        EXPECT_EQ(pi.para, "Geophysical Data for 89B");
        EXPECT_EQ(pi.area, "GW1AM2_202401010000_000A");
        expect_corners(pi.corner, b);
        info.get_productInfo(2, pi);
        EXPECT_EQ(pi.para, "Geophysical Data for 89A");
        expect_corners(pi.corner, a);
    }
}

TEST_F(Hdf5Read, DescriptionsNameTableEntriesButGeolocation)
{
    const auto l1a = dir_ / "l1a.h5";
    h5prod::write_radiometer(l1a, "AMSR2-L1A", PT_AMSR2_L1A, 3, 4);
    spinfo info;
    h5prod::init(info, l1a);
    ASSERT_EQ(info.getType(), PT_AMSR2_L1A);
    productInfo_t pi;
    info.get_productInfo(15, pi);
    EXPECT_EQ(pi.para, "Observation Count (89.0GHz-B,V)");
    info.get_productInfo(16, pi);
    EXPECT_EQ(pi.para, "GCOMW_AMSR2-L1A");

    // L2 low: every index is described as the geophysical dataset; corners
    // come from the one low-resolution latitude/longitude pair.
    const auto low = dir_ / "l2low.h5";
    h5prod::write_radiometer(low, "AMSR2-L2", PT_AMSR2_L2_LOW, 5, 3, 1);
    h5prod::init(info, low);
    ASSERT_EQ(info.getType(), PT_AMSR2_L2_LOW);
    info.get_productInfo(2, pi);
    EXPECT_EQ(pi.para, "Geophysical Data");
    const earthPoint_t corners[4] = {{0, 0}, {2, 2}, {12, 12}, {14, 14}};
    expect_corners(pi.corner, corners);
}

TEST_F(Hdf5Read, LayersShareTheScaleOfTheirDataset)
{
    const auto path = dir_ / "l3gd.h5";
    h5prod::write_radiometer(path, "AMSR2-L3", PT_AMSR2_L3_GD, 720, 1440, 2, {{"Geophysical Data", 0.1f}});
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_AMSR2_L3_GD);
    ASSERT_EQ(info.N_count(), 2u);
    read(info, 1, DT_INT16);
    EXPECT_EQ(info.shortRaster()[720u * 1440u - 1u], pattern((720u * 1440u - 1u) * 2 + 1));
    productInfo_t pi;
    info.get_productInfo(1, pi);
    EXPECT_NEAR(pi.scale, 0.1, 1e-7);
}

TEST_F(Hdf5Read, L2LowOffersEachLayerThenItsGeolocation)
{
    const auto path = dir_ / "l2low3.h5";
    h5prod::write_radiometer(path, "AMSR2-L2", PT_AMSR2_L2_LOW, 5, 3, 3, {{"Geophysical Data", 0.1f}});
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_AMSR2_L2_LOW);
    // Three layers, then latitude and longitude.
    ASSERT_EQ(info.N_count(), 5u);
    for (std::uint32_t i = 0; i < 3; ++i) EXPECT_EQ(info.N_byte(i), 2u) << i;
    EXPECT_EQ(info.N_byte(3), 4u);
    EXPECT_EQ(info.N_byte(4), 4u);
    read(info, 2, DT_INT16);
    EXPECT_EQ(info.shortRaster()[14], pattern(14 * 3 + 2));
    productInfo_t pi;
    info.get_productInfo(2, pi);
    EXPECT_NEAR(pi.scale, 0.1, 1e-7);
    read(info, 3, DT_FLOAT32);
    EXPECT_EQ(info.dataAttr().width, 3);
    EXPECT_EQ(info.dataAttr().height, 5);
}

TEST_F(Hdf5Read, FloatsArriveScaledAndIntegersRawWithTheirScale)
{
    const auto path = dir_ / "l1b.h5";
    h5prod::write_radiometer(
        path, "AMSR2-L1B", PT_AMSR2_L1B, 6, 5, 1,
        {{"Brightness Temperature (10.7GHz,V)", 0.01f}, {"Latitude of Observation Point for 89A", 0.01f}});
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_AMSR2_L1B);
    read(info, 5, DT_UINT16);
    EXPECT_EQ(info.shortRaster()[29], 29);
    productInfo_t pi;
    info.get_productInfo(5, pi);
    EXPECT_NEAR(pi.scale, 0.01, 1e-8);
    EXPECT_EQ(pi.para, "Brightness Temperature (10.7GHz,V)");

    read(info, 16, DT_FLOAT32);
    EXPECT_FLOAT_EQ(info.floatRaster()[29], 29.0f * 0.01f);
    info.get_productInfo(16, pi);
    EXPECT_NEAR(pi.scale, 0.01, 1e-8);
    // Corners: latitude scaled, longitude not.
    const earthPoint_t corners[4] = {{0, 0}, {0.04, 4}, {0.25, 25}, {0.29, 29}};
    earthPoint_t held[4];
    info.get_Corner(held);
    expect_corners(held, corners, 1e-6);
}

TEST_F(Hdf5Read, SgliMasksFlagsAndMissingDatasets)
{
    const auto path = dir_ / "sst.h5";
    {
        h5fx::file f(path);
        f.sgli_product_file_name(h5prod::sgli_scene_name("SSTDK"));
        h5prod::write_table(f, h5prod::table_of(PT_SGLI_SST), 5, 7);
        f.attribute<std::uint16_t>("/Image_data/SST", "Mask", 0x0FFF);
        f.attribute<std::uint16_t>("/Image_data/SST", "Minimum_valid_DN", 0);
        f.attribute<std::uint16_t>("/Image_data/SST", "Maximum_valid_DN", 65534);
        f.attribute<std::uint16_t>("/Image_data/QA_flag", "Mask", 0x00FF);
    }
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_SGLI_SST);
    read(info, 0, DT_UINT16);
    EXPECT_EQ(info.dataAttr().mask, 0x0FFF);
    EXPECT_EQ(info.dataAttr().minValidDN, 0);
    EXPECT_EQ(info.dataAttr().maxValidDN, 65534);

    read(info, 1, DT_UINT16); // a mask without its range masks every value
    EXPECT_EQ(info.dataAttr().mask, 0x00FF);
    EXPECT_EQ(info.dataAttr().minValidDN, 0);
    EXPECT_EQ(info.dataAttr().maxValidDN, 65535);

    read(info, 2, DT_UINT8); // no mask of its own: the previous one is gone
    EXPECT_EQ(info.dataAttr().mask, 0);

    // A missing SGLI dataset makes the file a failed product; nothing is thrown.
    const auto broken = dir_ / "sst_missing.h5";
    {
        h5fx::file f(broken);
        f.sgli_product_file_name(h5prod::sgli_scene_name("SSTDK"));
        auto table = h5prod::table_of(PT_SGLI_SST);
        table.erase(table.begin() + 2);
        h5prod::write_table(f, table, 5, 7);
    }
    EXPECT_NO_THROW(h5prod::init(info, broken));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.last_failure().file, broken.string());
    EXPECT_EQ(info.last_failure().cause, "unable to open dataset /Image_data/Cloud_probability");
}

} // namespace

} // namespace vardane
