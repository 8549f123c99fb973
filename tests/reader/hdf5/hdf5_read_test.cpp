#include <gtest/gtest.h>

#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_products.h"
#include "reader/spinfo.h"

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
        EXPECT_EQ(static_cast<std::uint32_t>(info.dataAttr.width), info.N_pixel(idx));
        EXPECT_EQ(static_cast<std::uint32_t>(info.dataAttr.height), info.N_line(idx));
    }

    static void expect_corners(const earthPoint_t (&got)[4], const earthPoint_t (&want)[4])
    {
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(got[i].lat, want[i].lat, 1e-9) << "corner " << i;
            EXPECT_NEAR(got[i].lon, want[i].lon, 1e-9) << "corner " << i;
        }
    }

    h5fx::temp_dir dir_;
};

TEST_F(Hdf5Read, GsmapHourlyIsTransposedWithTheLastColumnFirst)
{
    const auto path = dir_ / "gsmap.h5";
    {
        h5fx::file f(path);
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("MULTI", "HOUR"));
        f.dataset<float>("/Grid/hourlyPrecipRate", {3600, 1800}, true);
    }
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_GSMAP_HOURLY);
    ASSERT_EQ(info.N_count(), 1u);
    EXPECT_EQ(info.N_pixel(0), 3600u);
    EXPECT_EQ(info.N_line(0), 1800u);
    EXPECT_EQ(info.N_byte(0), 4u);
    read(info, 0, DT_FLOAT32);
    ASSERT_EQ(info.floatRaster.size(), 3600u * 1800u);
    const auto at = [&](std::uint64_t r, std::uint64_t c) { return info.floatRaster[r * 3600 + c]; };
    for (const std::uint64_t c : {0u, 1u, 1234u, 3599u}) {
        EXPECT_EQ(at(0, c), pattern(c * 1800 + 1799)) << c;   // stored [c][1799]
        EXPECT_EQ(at(1799, c), pattern(c * 1800 + 0)) << c;   // stored [c][0]
        EXPECT_EQ(at(700, c), pattern(c * 1800 + 1099)) << c; // stored [c][1099]
    }
    productInfo_t pi;
    info.get_productInfo(0, pi);
    EXPECT_EQ(pi.product, "GPM_GSMaP_Hourly_L3");
    EXPECT_EQ(pi.para, "GPM_GSMaP_Hourly_L3");
    const earthPoint_t globe[4] = {{90, -180}, {90, 180}, {-90, -180}, {-90, 180}};
    expect_corners(pi.corner, globe);
}

TEST_F(Hdf5Read, DprDailyRank4OffersEveryLayerAndPicksByBits)
{
    const auto path = dir_ / "dpr.h5";
    {
        h5fx::file f(path);
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "DAY"));
        f.dataset<float>("/GRID/precipRateESurfMean", {2, 3, 72, 28});
        f.attribute<float>("/GRID/precipRateESurfMean", "SCALE FACTOR", 0.5f);
    }
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_DPR_DAILY);
    ASSERT_EQ(info.N_count(), 6u);
    EXPECT_EQ(info.nBands, 6);
    EXPECT_EQ(info.N_pixel(5), 72u);
    EXPECT_EQ(info.N_line(5), 28u);
    read(info, 5, DT_FLOAT32);
    // index 5: i = 1, j = 2; out[r][c] = in[1][2][c][27 - r] x scale
    const auto stored = [](std::uint64_t i, std::uint64_t j, std::uint64_t c, std::uint64_t k) {
        return pattern(((i * 3 + j) * 72 + c) * 28 + k);
    };
    for (const std::uint64_t r : {0u, 13u, 27u}) {
        for (const std::uint64_t c : {0u, 40u, 71u}) {
            EXPECT_FLOAT_EQ(info.floatRaster[r * 72 + c], static_cast<float>(stored(1, 2, c, 27 - r)) * 0.5f);
        }
    }
    read(info, 2, DT_FLOAT32); // i = 0, j = 1
    EXPECT_FLOAT_EQ(info.floatRaster[0], static_cast<float>(stored(0, 1, 0, 27)) * 0.5f);
    productInfo_t pi;
    info.get_productInfo(3, pi);
    EXPECT_DOUBLE_EQ(pi.scale, 0.5);
    const earthPoint_t band[4] = {{67, -180}, {67, 180}, {-67, -180}, {-67, 180}};
    expect_corners(pi.corner, band);
}

TEST_F(Hdf5Read, DprDailyRank3AndMonthlyLayers)
{
    const auto daily = dir_ / "dpr3.h5";
    {
        h5fx::file f(daily);
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "DAY"));
        f.dataset<float>("/GRID/precipRateESurfMean", {3, 10, 8});
    }
    spinfo info;
    h5prod::init(info, daily);
    ASSERT_EQ(info.getType(), PT_DPR_DAILY);
    ASSERT_EQ(info.N_count(), 3u);
    read(info, 2, DT_FLOAT32); // out[r][c] = in[2][c][7 - r]
    EXPECT_EQ(info.N_pixel(2), 10u);
    EXPECT_EQ(info.floatRaster[0 * 10 + 4], pattern((2 * 10 + 4) * 8 + 7));
    EXPECT_EQ(info.floatRaster[7 * 10 + 9], pattern((2 * 10 + 9) * 8 + 0));

    const auto monthly = dir_ / "dprv7m.h5";
    {
        h5fx::file f(monthly);
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("GPM", "MONTH"));
        f.dataset<float>("/FS/G2/precipRateESurface/mean", {2, 3, 12, 6});
    }
    h5prod::init(info, monthly);
    ASSERT_EQ(info.getType(), PT_DPRV7_MONTHLY);
    ASSERT_EQ(info.N_count(), 6u);
    read(info, 3, DT_FLOAT32); // i = 3 mod 2 = 1, j = 3 div 2 = 1
    EXPECT_EQ(info.floatRaster[0], pattern(((1 * 3 + 1) * 12 + 0) * 6 + 5));
    EXPECT_EQ(info.productName(), "GPM_DPRv7_Monthly_L3");
}

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
    EXPECT_TRUE(info.floatRaster.empty());
    read(info, 3, DT_FLOAT32); // i = 1, j = 1
    EXPECT_EQ(info.floatRaster[0], pattern(((1 * 2 + 1) * 4 + 0) * 5 + 4));
}

TEST_F(Hdf5Read, L2HighIndexOneIsFirstLayerOf89BWithBCorners)
{
    for (const auto& [name, kind] : {std::pair{"AMSR2-L2", PT_AMSR2_L2_HIGH}, std::pair{"AMSR-E-L2", PT_AMSRE_L2_HIGH}}) {
        const auto path = dir_ / "l2high.h5";
        h5prod::write_radiometer(path, name, PT_AMSR2_L2_HIGH, 4, 6, 2);
        {
            H5::H5File f(path.string(), H5F_ACC_RDWR);
            const float two = 2.0f;
            H5::DataSet lat = f.openDataSet("Latitude of Observation Point for 89B");
            lat.createAttribute("SCALE FACTOR", H5::PredType::NATIVE_FLOAT, H5::DataSpace(H5S_SCALAR))
                .write(H5::PredType::NATIVE_FLOAT, &two);
        }
        spinfo info;
        h5prod::init(info, path);
        ASSERT_EQ(info.getType(), kind);
        ASSERT_EQ(info.N_count(), 6u);
        EXPECT_EQ(info.N_byte(1), 2u);
        EXPECT_EQ(info.N_byte(2), 4u);
        read(info, 1, DT_INT16);
        for (std::uint64_t r = 0; r < 4; ++r) {
            for (std::uint64_t c = 0; c < 6; ++c) {
                EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[r * 6 + c]), pattern((r * 6 + c) * 2 + 0));
            }
        }
        // Corners: 89A latitude unscaled, 89B latitude doubled.
        const earthPoint_t a[4] = {{0, 0}, {5, 5}, {18, 18}, {23, 23}};
        const earthPoint_t b[4] = {{0, 0}, {10, 5}, {36, 18}, {46, 23}};
        expect_corners(info.corners, a);
        expect_corners(info.cornersB, b);
        // Both radiometers describe an odd index as the 89B layer with its corners.
        productInfo_t pi;
        info.get_productInfo(1, pi);
        EXPECT_EQ(pi.para, "Geophysical Data for 89B");
        EXPECT_EQ(pi.product, kind == PT_AMSR2_L2_HIGH ? "GCOMW_AMSR2-L2_High_reso" : "AQUA_AMSR-E-L2_High_reso");
        EXPECT_EQ(pi.area, "GW1AM2_202401010000_000A");
        expect_corners(pi.corner, b);
        info.get_productInfo(0, pi);
        EXPECT_EQ(pi.para, "Geophysical Data for 89A");
        expect_corners(pi.corner, a);
    }
}

TEST_F(Hdf5Read, L2LowAndL1AGeolocationAndSignedCounts)
{
    const auto low = dir_ / "l2low.h5";
    h5prod::write_radiometer(low, "AMSR2-L2", PT_AMSR2_L2_LOW, 5, 3, 1);
    spinfo info;
    h5prod::init(info, low);
    ASSERT_EQ(info.getType(), PT_AMSR2_L2_LOW);
    EXPECT_EQ(info.N_count(), 3u);
    read(info, 0, DT_INT16);
    EXPECT_EQ(info.shortRaster[14], pattern(14));
    read(info, 2, DT_FLOAT32); // longitude
    EXPECT_EQ(info.floatRaster[7], pattern(7));
    const earthPoint_t corners[4] = {{0, 0}, {2, 2}, {12, 12}, {14, 14}};
    expect_corners(info.corners, corners);

    const auto l1a = dir_ / "l1a.h5";
    h5prod::write_radiometer(l1a, "AMSR2-L1A", PT_AMSR2_L1A, 3, 4);
    h5prod::init(info, l1a);
    ASSERT_EQ(info.getType(), PT_AMSR2_L1A);
    EXPECT_EQ(info.N_count(), 20u);
    read(info, 15, DT_INT16);
    EXPECT_EQ(info.shortRaster[11], 11);
    productInfo_t pi;
    info.get_productInfo(15, pi);
    EXPECT_EQ(pi.para, "Observation Count (89.0GHz-B,V)");
    info.get_productInfo(16, pi);
    EXPECT_EQ(pi.para, "GCOMW_AMSR2-L1A");
}

TEST_F(Hdf5Read, L3GeophysicalLayersAreParameters)
{
    const auto path = dir_ / "l3gd.h5";
    h5prod::write_radiometer(path, "AMSR2-L3", PT_AMSR2_L3_GD, 720, 1440, 2);
    {
        H5::H5File f(path.string(), H5F_ACC_RDWR);
        const float scale = 0.1f;
        f.openDataSet("Geophysical Data")
            .createAttribute("SCALE FACTOR", H5::PredType::NATIVE_FLOAT, H5::DataSpace(H5S_SCALAR))
            .write(H5::PredType::NATIVE_FLOAT, &scale);
    }
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_AMSR2_L3_GD);
    ASSERT_EQ(info.N_count(), 2u);
    EXPECT_EQ(info.getL3PolarStereoType(), PS_NONE);
    EXPECT_EQ(info.N_pixel(1), 1440u);
    EXPECT_EQ(info.N_line(1), 720u);
    read(info, 1, DT_INT16);
    for (const std::uint64_t i : {0u, 1u, 5000u, 720u * 1440u - 1u}) {
        EXPECT_EQ(info.shortRaster[i], pattern(i * 2 + 1)) << i;
    }
    productInfo_t pi;
    info.get_productInfo(1, pi);
    EXPECT_NEAR(pi.scale, 0.1, 1e-7);
    const earthPoint_t globe[4] = {{90, 0}, {90, 360}, {-90, 0}, {-90, 360}};
    expect_corners(pi.corner, globe);
    EXPECT_EQ(pi.product, "GCOMW_AMSR2-L3_Geophisical");
}

TEST_F(Hdf5Read, L3GridSizesSelectTheGridAndItsCorners)
{
    struct variant {
        hsize_t width, height;
        productType expected;
        L3PsType grid;
        earthPoint_t corners[4];
    };
    const variant variants[] = {
        {760, 1120, PT_AMSRE_L3_BT, PS_NSIDC_NORTH, {{30.98, 168.35}, {31.37, 102.34}, {33.92, 279.26}, {34.35, 350.03}}},
        {316, 332, PT_AMSRE_L3_BT, PS_NSIDC_SOUTH, {{-39.23, 317.76}, {-39.23, 42.24}, {-41.45, 225.0}, {-41.45, 135.0}}},
        {1080, 1435, PT_AMSRE_L3_BT, PS_SNOW_NORTH, {{21.48, 309.8}, {21.39, 230.08}, {14.59, 55.63}, {14.52, 124.47}}},
        {2000, 1000, PT_UNKNOWN, PS_NONE, {}},
    };
    for (const auto& v : variants) {
        const auto path = dir_ / "l3bt.h5";
        h5prod::write_radiometer(path, "AMSR-E-L3", PT_AMSR2_L3_BT, v.height, v.width);
        spinfo info;
        h5prod::init(info, path);
        ASSERT_EQ(info.getType(), v.expected) << v.width << " x " << v.height;
        if (v.expected == PT_UNKNOWN) {
            EXPECT_EQ(info.N_pixel(0), 0u);
            continue;
        }
        EXPECT_EQ(info.getL3PolarStereoType(), v.grid);
        expect_corners(info.corners, v.corners);
        EXPECT_EQ(info.N_count(), 2u);
        read(info, 1, DT_UINT16); // "Brightness Temperature (V)"
        EXPECT_EQ(info.shortRaster[v.width + 3], pattern(v.width + 3));
        EXPECT_EQ(info.productName(), "AQUA_AMSR-E-L3_Brightnes");
    }
}

TEST_F(Hdf5Read, FloatsArriveScaledAndIntegersRawWithTheirScale)
{
    const auto path = dir_ / "l1b.h5";
    h5prod::write_radiometer(path, "AMSR2-L1B", PT_AMSR2_L1B, 6, 5);
    {
        H5::H5File f(path.string(), H5F_ACC_RDWR);
        const float scale = 0.01f;
        for (const char* name : {"Brightness Temperature (10.7GHz,V)", "Latitude of Observation Point for 89A"}) {
            f.openDataSet(name)
                .createAttribute("SCALE FACTOR", H5::PredType::NATIVE_FLOAT, H5::DataSpace(H5S_SCALAR))
                .write(H5::PredType::NATIVE_FLOAT, &scale);
        }
    }
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_AMSR2_L1B);
    ASSERT_EQ(info.N_count(), 20u);

    read(info, 5, DT_UINT16);
    EXPECT_EQ(info.shortRaster[29], 29);
    productInfo_t pi;
    info.get_productInfo(5, pi);
    EXPECT_NEAR(pi.scale, 0.01, 1e-8);
    EXPECT_EQ(pi.para, "Brightness Temperature (10.7GHz,V)");
    EXPECT_EQ(info.dataAttr.bands, 1);

    read(info, 16, DT_FLOAT32);
    EXPECT_FLOAT_EQ(info.floatRaster[29], 29.0f * 0.01f);
    EXPECT_TRUE(info.shortRaster.empty()); // the previous buffer is released
    info.get_productInfo(16, pi);
    EXPECT_NEAR(pi.scale, 0.01, 1e-8);

    // Corners: latitude scaled, longitude not.
    const earthPoint_t corners[4] = {{0, 0}, {0.04, 4}, {0.25, 25}, {0.29, 29}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(info.corners[i].lat, corners[i].lat, 1e-6);
        EXPECT_NEAR(info.corners[i].lon, corners[i].lon, 1e-9);
    }
    EXPECT_EQ(info.bytesPerSample, 2);

    std::int32_t dtype = 7;
    EXPECT_FALSE(info.get_dataSource(20, dtype));
    EXPECT_EQ(info.N_pixel(20), 0u);
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
    EXPECT_EQ(info.N_count(), 5u);
    EXPECT_EQ(info.productName(), "");
    EXPECT_EQ(info.bytesPerSample, 2);

    read(info, 0, DT_UINT16);
    EXPECT_EQ(info.dataAttr.mask, 0x0FFF);
    EXPECT_EQ(info.dataAttr.minValidDN, 0);
    EXPECT_EQ(info.dataAttr.maxValidDN, 65534);

    read(info, 1, DT_UINT16); // a mask without its range masks every value
    EXPECT_EQ(info.dataAttr.mask, 0x00FF);
    EXPECT_EQ(info.dataAttr.minValidDN, 0);
    EXPECT_EQ(info.dataAttr.maxValidDN, 65535);

    read(info, 2, DT_UINT8); // "Cloud_probability"
    EXPECT_EQ(info.dataAttr.mask, 0);
    EXPECT_EQ(info.dataAttr.bands, 1);
    ASSERT_EQ(info.byteRaster.size(), 35u);
    EXPECT_EQ(info.byteRaster[34], 34);

    read(info, 3, DT_FLOAT32); // latitude
    EXPECT_EQ(info.dataAttr.mask, 0);
    EXPECT_EQ(info.floatRaster[8], 8.0f);
    const earthPoint_t globe[4] = {{90, 0}, {90, 360}, {-90, 0}, {-90, 360}};
    expect_corners(info.corners, globe);

    // A missing SGLI dataset raises the library's exception.
    const auto broken = dir_ / "sst_missing.h5";
    {
        h5fx::file f(broken);
        f.sgli_product_file_name(h5prod::sgli_scene_name("SSTDK"));
        auto table = h5prod::table_of(PT_SGLI_SST);
        table.erase(table.begin() + 2);
        h5prod::write_table(f, table, 5, 7);
    }
    EXPECT_THROW(h5prod::init(info, broken), H5::Exception);
}

TEST_F(Hdf5Read, SgliTilesDeliverByteDatasets)
{
    const auto path = dir_ / "rsrf.h5";
    {
        h5fx::file f(path);
        f.sgli_product_file_name(h5prod::sgli_tile_name("RSRF", "01D", 28, 4));
        h5prod::write_table(f, h5prod::table_of(PT_SGLI_RSRF), 6, 4);
    }
    spinfo info;
    h5prod::init(info, path);
    ASSERT_EQ(info.getType(), PT_SGLI_RSRF);
    ASSERT_EQ(info.N_count(), 27u);
    EXPECT_EQ(info.tileH, 28);
    EXPECT_EQ(info.tileV, 4);
    read(info, 21, DT_UINT16); // QA_flag
    read(info, 26, DT_UINT8);  // SWR
    EXPECT_EQ(info.byteRaster[23], 23);
}

TEST(Hdf5Tables, GeneratedNamesInIndexOrder)
{
    const auto l1a = h5prod::table_of(PT_AMSR2_L1A);
    ASSERT_EQ(l1a.size(), 20u);
    EXPECT_EQ(l1a[0].name, "Observation Count (6.9GHz,H)");
    EXPECT_EQ(l1a[1].name, "Observation Count (6.9GHz,V)");
    EXPECT_EQ(l1a[2].name, "Observation Count (7.3GHz,H)");
    EXPECT_EQ(l1a[15].name, "Observation Count (89.0GHz-B,V)");
    EXPECT_EQ(l1a[16].name, "Latitude of Observation Point for 89A");
    EXPECT_EQ(l1a[19].name, "Longitude of Observation Point for 89B");
    EXPECT_EQ(l1a[0].h5type, h5_sample::int16);

    const auto l1r = h5prod::table_of(PT_AMSRE_L1R);
    ASSERT_EQ(l1r.size(), 44u);
    EXPECT_EQ(l1r[0].name, "Brightness Temperature (res06,6.9GHz,H)");
    EXPECT_EQ(l1r[13].name, "Brightness Temperature (res06,89.0GHz,V)");
    EXPECT_EQ(l1r[14].name, "Brightness Temperature (res10,10.7GHz,H)");
    EXPECT_EQ(l1r[24].name, "Brightness Temperature (res23,18.7GHz,H)");
    EXPECT_EQ(l1r[32].name, "Brightness Temperature (res36,36.5GHz,H)");
    EXPECT_EQ(l1r[36].name, "Brightness Temperature (original,89GHz-A,H)");
    EXPECT_EQ(l1r[39].name, "Brightness Temperature (original,89GHz-B,V)");
    EXPECT_EQ(l1r[40].name, "Latitude of Observation Point for 89A");

    const auto pol = h5prod::table_of(PT_SGLI_POL);
    ASSERT_EQ(pol.size(), 16u);
    EXPECT_EQ(pol[2].name, "/Image_data/Lt_P1_p60");
    EXPECT_EQ(pol[11].name, "/Image_data/Lt_PU02");
    EXPECT_EQ(pol[13].h5type, h5_sample::uint8);

    const auto ltoa = h5prod::table_of(PT_SGLI_LTOA);
    ASSERT_EQ(ltoa.size(), 33u);
    EXPECT_EQ(ltoa[12].name, "/Image_data/Lt_SW01");
    EXPECT_EQ(ltoa[26].name, "/Image_data/Lt_VN08P");
    EXPECT_EQ(ltoa[30].name, "/Image_data/Lt_VN11P");
    EXPECT_EQ(ltoa[31].name, "/Image_data/QA_flag");
    EXPECT_EQ(ltoa[32].name, "/Image_data/Land_water_flag");
    EXPECT_EQ(ltoa[32].h5type, h5_sample::uint8);

    const auto rsrf = h5prod::table_of(PT_SGLI_RSRF);
    ASSERT_EQ(rsrf.size(), 27u);
    EXPECT_EQ(rsrf[20].name, "/Image_data/Tb_TI02");
    EXPECT_EQ(rsrf[21].name, "/Image_data/QA_flag");
    EXPECT_EQ(rsrf[22].name, "/Image_data/Angstrom");

    const std::pair<productType, std::size_t> sizes[] = {
        {PT_AMSR2_L1B, 20}, {PT_AMSR2_L2_HIGH, 6}, {PT_AMSR2_L2_LOW, 3}, {PT_AMSR2_L3_BT, 2},
        {PT_AMSR2_L3_GD, 1}, {PT_GSMAP_MONTHLY, 1}, {PT_DPR_MONTHLY, 1},   {PT_SGLI_VNR, 15},
        {PT_SGLI_IRS, 10},  {PT_SGLI_NWLR, 13},    {PT_SGLI_IWPR, 6},      {PT_SGLI_SST, 5},
        {PT_SGLI_LST, 4},   {PT_SGLI_CLFG, 1},
    };
    for (const auto& [kind, size] : sizes) EXPECT_EQ(h5prod::table_of(kind).size(), size) << kind;
}

} // namespace
