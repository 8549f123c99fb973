#include <gtest/gtest.h>

#include "reader/hdf5/gpm_file_header.h"
#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_products.h"
#include "reader/hdf5/sgli_product_name.h"
#include "reader/spinfo.h"

namespace {

class Hdf5Kind : public ::testing::Test {
protected:
    h5fx::temp_dir dir_;
};

// Every code is recognised in the sweep of synthetic products; here the tile
// digits and the period that daily-tile codes need.
TEST(SgliProductName, TileDigitsAndDailyPeriod)
{
    const auto lst = decode_sgli_product_name(h5prod::sgli_tile_name("LST_", "01D", 5, 29));
    EXPECT_EQ(lst.kind, PT_SGLI_LST);
    EXPECT_TRUE(lst.tile);
    EXPECT_EQ(lst.tileH, 5);
    EXPECT_EQ(lst.tileV, 29);
    // Daily-tile codes need "01D"; the tile numbers are read regardless.
    const auto monthly = decode_sgli_product_name(h5prod::sgli_tile_name("LST_", "01M", 7, 8));
    EXPECT_EQ(monthly.kind, PT_UNKNOWN);
    EXPECT_EQ(monthly.tileH, 7);
    EXPECT_EQ(monthly.tileV, 8);
}

TEST(SgliProductName, ShortOrDamagedNamesMatchNothing)
{
    EXPECT_EQ(decode_sgli_product_name("").kind, PT_UNKNOWN);
    EXPECT_EQ(decode_sgli_product_name("GC1SG1_20240101D01D_T05").kind, PT_UNKNOWN);
    EXPECT_EQ(decode_sgli_product_name(std::string(31, 'x') + "VN").kind, PT_UNKNOWN);
    const auto noDigits = decode_sgli_product_name("GC1SG1_20240101D01D_TxxYY_L2SG_LST_Q_2000.h5");
    EXPECT_EQ(noDigits.kind, PT_SGLI_LST);
    EXPECT_FALSE(noDigits.tile);
    EXPECT_EQ(noDigits.tileH, 0);
}

TEST(GpmFileHeader, FlagsAndFileName)
{
    const auto f = parse_gpm_header(h5prod::gpm_header("MULTI", "HOUR"));
    EXPECT_TRUE(f.multi);
    EXPECT_FALSE(f.gpm);
    EXPECT_TRUE(f.hour);
    EXPECT_FALSE(f.month);
    EXPECT_EQ(gpm_header_file_name("A=1;FileName=x.h5;B=2;"), "x.h5");
    EXPECT_FALSE(gpm_header_file_name("FileName=x.h5").has_value());
    EXPECT_FALSE(gpm_header_file_name("A=1;").has_value());
}

TEST_F(Hdf5Kind, BothStringLayoutsOfGlobalAttributes)
{
    const auto vlen = dir_ / "vlen.h5";
    {
        h5fx::file f(vlen);
        f.text_vlen_1d("ProductName", "AMSR2-L3");
        f.text_vlen_1d("GeophysicalName", "Sea Surface Temperature");
        f.text_vlen_1d("CoRegistrationParameterA1", "6G-0.0,7G-1.5");
        h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L3_GD), 720, 1440, 1);
    }
    const auto fixed = dir_ / "fixed.h5";
    {
        h5fx::file f(fixed);
        f.text_fixed_scalar("ProductName", "AMSR2-L3");
        f.text_fixed_scalar("GeophysicalName", "Sea Surface Temperature");
        f.text_fixed_scalar("CoRegistrationParameterA1", "6G-0.0,7G-1.5");
        h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L3_GD), 720, 1440, 1);
    }
    for (const auto& path : {vlen, fixed}) {
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), PT_AMSR2_L3_GD) << path;
        EXPECT_EQ(info.getGeophsyicalName(), "SST");
        EXPECT_EQ(info.attributes["CoRegistrationParameterA1"], "6G-0.0,7G-1.5");
        // Every key is present, absent ones empty.
        EXPECT_EQ(info.attributes.size(), 7u);
        EXPECT_EQ(info.attributes.count("Product_name"), 1u);
        EXPECT_EQ(info.attributes["FileHeader"], "");
        EXPECT_EQ(info.fileName, path.string());
    }
}

TEST_F(Hdf5Kind, RadiometerFileWithoutItsTableOrGridIsNoProduct)
{
    // A name whose table is absent, and an L3 grid of no known size.
    h5prod::write_radiometer(dir_ / "l1a.h5", "AMSR2-L1A", PT_AMSR2_L1B, 4, 6);
    h5prod::write_radiometer(dir_ / "l3.h5", "AMSR-E-L3", PT_AMSR2_L3_BT, 1000, 2000);
    // An L1B file lacking one brightness temperature.
    {
        h5fx::file f(dir_ / "l1b_missing.h5");
        f.text_vlen_1d("ProductName", "AMSR2-L1B");
        auto table = h5prod::table_of(PT_AMSR2_L1B);
        table.erase(table.begin() + 7);
        h5prod::write_table(f, table, 4, 6);
    }
    for (const char* name : {"l1a.h5", "l3.h5", "l1b_missing.h5"}) {
        spinfo info;
        h5prod::init(info, dir_ / name);
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << name;
        EXPECT_EQ(info.N_pixel(0), 0u) << name;
    }
}

TEST_F(Hdf5Kind, GpmHeaderFlagsSelectTheGrid)
{
    struct variant {
        std::string header;
        std::vector<std::string> datasets;
        productType expected;
    };
    const variant variants[] = {
        {h5prod::gpm_header("MULTI", "HOUR"), {"/Grid/hourlyPrecipRate"}, PT_GSMAP_HOURLY},
        // HOUR decides: the monthly dataset does not stand in for the hourly one.
        {h5prod::gpm_header("MULTI", "HOUR"), {"/Grid/monthlyPrecipRate"}, PT_UNKNOWN},
        {h5prod::gpm_header("MULTI", "HOUR") + "SatelliteName=GPM;", {"/Grid/hourlyPrecipRate"}, PT_UNKNOWN},
        {h5prod::gpm_header("GPM", "DAY"), {"/GRID/precipRateESurfMean"}, PT_DPR_DAILY},
        {h5prod::gpm_header("GPM", "MONTH"), {"/FS/G2/precipRateESurface/mean"}, PT_DPRV7_MONTHLY},
        {h5prod::gpm_header("TRMM", "MONTH"), {"/FS/G2/precipRateESurface/mean"}, PT_UNKNOWN},
    };
    int n = 0;
    for (const auto& v : variants) {
        const auto path = dir_ / ("gpm" + std::to_string(n++) + ".h5");
        {
            h5fx::file f(path);
            f.text_vlen_1d("FileHeader", v.header);
            for (const auto& d : v.datasets) {
                if (d.find("Grid/") != std::string::npos) f.dataset<float>(d, {36, 18});
                else f.dataset<float>(d, {2, 3, 36, 14});
            }
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), v.expected) << "variant " << n - 1;
        EXPECT_EQ(info.granule, "GPMMRG_MAP_2401010000_H_L3S_MCH_05A.h5");
    }
}

TEST_F(Hdf5Kind, GranuleIdOfTheFileWinsOverTheHeader)
{
    const auto path = dir_ / "granule.h5";
    {
        h5fx::file f(path);
        f.text_fixed_scalar("FileHeader", h5prod::gpm_header("MULTI", "HOUR"));
        f.text_fixed_scalar("GranuleID", "own-id");
        f.dataset<float>("/Grid/hourlyPrecipRate", {36, 18});
    }
    spinfo info;
    h5prod::init(info, path);
    EXPECT_EQ(info.getType(), PT_GSMAP_HOURLY);
    EXPECT_EQ(info.granule, "own-id");
}

TEST_F(Hdf5Kind, HdfFileNamedLikeGsmapBinaryIsReadAsHdf5)
{
    const auto path = dir_ / "gsmap_nrt.20240101.0000.h5";
    {
        h5fx::file f(path);
        f.text_vlen_1d("FileHeader", h5prod::gpm_header("MULTI", "HOUR"));
        f.dataset<float>("/Grid/hourlyPrecipRate", {36, 18});
    }
    spinfo info;
    h5prod::init(info, path);
    EXPECT_EQ(info.getType(), PT_GSMAP_HOURLY);
    EXPECT_FALSE(info.isGsmapBin);
    EXPECT_EQ(info.productName(), "GPM_GSMaP_Hourly_L3");
}

TEST_F(Hdf5Kind, SgliTileNumbersReachTheDescription)
{
    for (const auto& [period, expected] : {std::pair{"01D", PT_SGLI_LST}, std::pair{"08D", PT_UNKNOWN}}) {
        const auto path = dir_ / (std::string("lst") + period + ".h5");
        {
            h5fx::file f(path);
            f.sgli_product_file_name(h5prod::sgli_tile_name("LST_", period, 5, 29));
            h5prod::write_table(f, h5prod::table_of(PT_SGLI_LST), 5, 7);
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), expected) << period;
        EXPECT_EQ(info.tileH, 5);
        EXPECT_EQ(info.tileV, 29);
    }
}

TEST_F(Hdf5Kind, FileWithoutAnyKeyIsNoProduct)
{
    const auto path = dir_ / "plain.h5";
    {
        h5fx::file f(path);
        f.dataset<float>("/data", {3, 3});
    }
    spinfo info;
    h5prod::init(info, path);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.N_count(), 0u);
}

TEST(GeophysicalCodes, ExactNamesOnly)
{
    // Names are matched exactly: a difference in case gives no code.
    const std::pair<const char*, const char*> names[] = {
        {"Sea Surface Wind speed", "SSW"}, {"Total Precipitable Water", "TPW"}, {"Sea Surface Wind Speed", ""},
    };
    h5fx::temp_dir dir;
    for (const auto& [name, code] : names) {
        const auto path = dir / "geo.h5";
        {
            h5fx::file f(path);
            f.text_vlen_1d("ProductName", "AMSR2-L2");
            f.text_vlen_1d("GeophysicalName", name);
            h5prod::write_table(f, h5prod::table_of(PT_AMSR2_L2_LOW), 3, 4, 1);
        }
        spinfo info;
        h5prod::init(info, path);
        EXPECT_EQ(info.getType(), PT_AMSR2_L2_LOW);
        EXPECT_EQ(info.getGeophsyicalName(), code) << name;
    }
}

} // namespace
