#include <cmath>
#include <filesystem>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "output/spout.h"
#include "output_test_support.h"

using namespace output_test;

namespace {

constexpr int kW = 1440;
constexpr int kH = 720;

// A JASMES-like global float grid from 0 to 360 degrees: each value tells its
// own column, with fill values in the first row.
std::vector<float> global_float_grid()
{
    std::vector<float> v(std::size_t(kW) * kH);
    for (int r = 0; r < kH; ++r) {
        for (int c = 0; c < kW; ++c) v[std::size_t(r) * kW + c] = float(c) + float(r) / 1000.0f;
    }
    v[0] = -9999.0f;
    v[1] = std::numeric_limits<float>::quiet_NaN();
    v[2] = -10.5f;
    v[3] = -9.5f;
    v[kW + 720] = -9999.0f;
    return v;
}

// Column and row of the pixel whose area holds (lat, lon) under gt.
std::pair<int, int> pixel_of(const std::vector<double>& gt, double lat, double lon)
{
    return {int(std::floor((lon - gt[0]) / gt[1])), int(std::floor((lat - gt[3]) / gt[5]))};
}

class GriddedGeoTiff : public ::testing::Test {
protected:
    void load_global()
    {
        grid = global_float_grid();
        ASSERT_TRUE(out.init_float(grid.data(), attr_of(kW, kH), grid_info(90, 0, -90, 360)));
    }
    float source(int r, int c) const { return grid[std::size_t(r) * kW + c]; }

    temp_dir dir;
    spout out;
    std::vector<float> grid;
};

} // namespace

TEST_F(GriddedGeoTiff, GlobalModeRotatesHalfATurnAndFloorsFloats)
{
    load_global();
    const std::string name = dir.file("global.tif");
    ASSERT_TRUE(out.gen_GeoTiffImage(name, 1));
    auto ds = open_readonly(name);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetRasterXSize(), kW);
    EXPECT_EQ(ds->GetRasterYSize(), kH);
    ASSERT_EQ(ds->GetRasterCount(), 1);
    EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_Float32);
    EXPECT_EQ(epsg_of(*ds), 4326);
    const auto gt = geotransform_of(*ds);
    EXPECT_DOUBLE_EQ(gt[0], -180.0);
    EXPECT_DOUBLE_EQ(gt[1], 0.25);
    EXPECT_DOUBLE_EQ(gt[3], 90.0);
    EXPECT_DOUBLE_EQ(gt[5], -0.25);

    const auto v = read_band<float>(*ds, 1, GDT_Float32);
    auto at = [&](int r, int c) { return v[std::size_t(r) * kW + c]; };
    EXPECT_FLOAT_EQ(at(5, 0), source(5, 720));
    EXPECT_FLOAT_EQ(at(5, 719), source(5, 1439));
    EXPECT_FLOAT_EQ(at(5, 720), source(5, 0));
    EXPECT_FLOAT_EQ(at(1, 0), -10.0f);     // -9999 at source column 720
    EXPECT_FLOAT_EQ(at(0, 720), -10.0f);   // -9999 at source column 0
    EXPECT_TRUE(std::isnan(at(0, 721)));   // NaN is not floored
    EXPECT_FLOAT_EQ(at(0, 722), -10.0f);
    EXPECT_FLOAT_EQ(at(0, 723), -9.5f);
}

TEST_F(GriddedGeoTiff, RegionalModeFloorsButKeepsColumnsAndPlainModeChangesNothing)
{
    load_global();
    ASSERT_TRUE(out.gen_GeoTiffImage(dir.file("regional.tif"), 2));
    ASSERT_TRUE(out.gen_GeoTiffImage(dir.file("plain.tif"), 0));

    auto regional = open_readonly(dir.file("regional.tif"));
    auto plain = open_readonly(dir.file("plain.tif"));
    ASSERT_TRUE(regional && plain);
    EXPECT_DOUBLE_EQ(geotransform_of(*regional)[0], 0.0);
    EXPECT_DOUBLE_EQ(geotransform_of(*plain)[0], 0.0);

    const auto r = read_band<float>(*regional, 1, GDT_Float32);
    EXPECT_FLOAT_EQ(r[0], -10.0f);
    EXPECT_FLOAT_EQ(r[2], -10.0f);
    EXPECT_FLOAT_EQ(r[kW + 5], source(1, 5));
    const auto p = read_band<float>(*plain, 1, GDT_Float32);
    EXPECT_FLOAT_EQ(p[0], -9999.0f);
    EXPECT_FLOAT_EQ(p[2], -10.5f);
    EXPECT_FLOAT_EQ(p[kW * 3 + 1000], source(3, 1000));
}

TEST_F(GriddedGeoTiff, AFeatureLandsWhereTheGeotransformPutsItsPosition)
{
    // A marker at 35.1 N, 200.3 E (= 159.7 W) of a 0..360 grid.
    std::vector<std::int16_t> grid16(std::size_t(kW) * kH, 0);
    const double lat = 35.1, lon = 200.3;
    const int srcCol = int(std::floor(lon / 0.25));
    const int srcRow = int(std::floor((90.0 - lat) / 0.25));
    grid16[std::size_t(srcRow) * kW + srcCol] = 1234;
    ASSERT_TRUE(out.init_signed(reinterpret_cast<const std::uint16_t*>(grid16.data()), attr_of(kW, kH),
                                grid_info(90, 0, -90, 360)));
    ASSERT_TRUE(out.gen_GeoTiffImage(dir.file("marker.tif"), 1));

    auto ds = open_readonly(dir.file("marker.tif"));
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_Int16);
    const auto [col, row] = pixel_of(geotransform_of(*ds), lat, lon - 360.0);
    const auto v = read_band<std::int16_t>(*ds, 1, GDT_Int16);
    EXPECT_EQ(v[std::size_t(row) * kW + col], 1234);
}

TEST_F(GriddedGeoTiff, ByteRastersGiveOneOrThreeBands)
{
    const std::vector<std::uint8_t> rgb{1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(out.init_char(rgb.data(), attr_of(2, 1, 3), grid_info(10, 20, 5, 30)));
    ASSERT_TRUE(out.gen_GeoTiffImage(dir.file("rgb.tif"), 0));
    const std::vector<std::uint8_t> grey{7, 8};
    ASSERT_TRUE(out.init_char(grey.data(), attr_of(2, 1, 1), grid_info(10, 20, 5, 30)));
    ASSERT_TRUE(out.gen_GeoTiffImage(dir.file("grey.tif"), 0));

    auto rgbDs = open_readonly(dir.file("rgb.tif"));
    ASSERT_TRUE(rgbDs);
    ASSERT_EQ(rgbDs->GetRasterCount(), 3);
    EXPECT_EQ(rgbDs->GetRasterBand(2)->GetRasterDataType(), GDT_Byte);
    EXPECT_EQ(read_band<std::uint8_t>(*rgbDs, 2, GDT_Byte), (std::vector<std::uint8_t>{2, 5}));
    const auto gt = geotransform_of(*rgbDs);
    EXPECT_DOUBLE_EQ(gt[0], 20.0);
    EXPECT_DOUBLE_EQ(gt[1], 5.0);
    EXPECT_DOUBLE_EQ(gt[5], -5.0);

    auto greyDs = open_readonly(dir.file("grey.tif"));
    ASSERT_TRUE(greyDs);
    EXPECT_EQ(greyDs->GetRasterCount(), 1);
    EXPECT_EQ(read_band<std::uint8_t>(*greyDs, 1, GDT_Byte), grey);
}

TEST_F(GriddedGeoTiff, UnsignedCountsAreWrittenUnscaled)
{
    const std::vector<std::uint16_t> counts{0, 250, 65535, 65534};
    ASSERT_TRUE(out.init_short(counts.data(), attr_of(2, 2), grid_info(0, 0, -1, 1, 0.01)));
    ASSERT_TRUE(out.gen_GeoTiffImage(dir.file("counts.tif"), 0));
    auto ds = open_readonly(dir.file("counts.tif"));
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_UInt16);
    EXPECT_EQ(read_band<std::uint16_t>(*ds, 1, GDT_UInt16), counts);
    int hasNoData = 0;
    ds->GetRasterBand(1)->GetNoDataValue(&hasNoData);
    EXPECT_FALSE(hasNoData);
}

TEST_F(GriddedGeoTiff, NothingToWriteOrNowhereToWriteFails)
{
    EXPECT_FALSE(out.gen_GeoTiffImage(dir.file("never.tif"), 0));
    load_global();
    EXPECT_FALSE(out.gen_GeoTiffImage("", 1));
    EXPECT_FALSE(out.gen_GeoTiffImage(dir.file("no/such/folder.tif"), 0));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
