// Regridding of handmade swaths through spout, read back with GDAL: the grid
// and its georeferencing, the blend inside a cell, the date line, lost
// positions, and the raster a KMZ-only run is left with.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "integration/read_back.h"
#include "output/spout.h"
#include "support/scratch_folder.h"

namespace vardane {

using integration::raster_file;

namespace {

constexpr double kNodata = 65535;

// A rows x columns swath of 16-bit values whose pixels lie at place(L, P)
// ("lat"/"lon" arrays, as an L2 low-resolution product carries them).
struct swath {
    int rows;
    int columns;
    std::function<std::pair<float, float>(int, int)> place; // (lon, lat)
    std::function<std::uint16_t(int, int)> value;
};

void load(spout& out, const swath& s)
{
    std::vector<std::uint16_t> values;
    std::vector<float> lat, lon;
    for (int L = 0; L < s.rows; ++L) {
        for (int P = 0; P < s.columns; ++P) {
            values.push_back(s.value(L, P));
            const auto [x, y] = s.place(L, P);
            lon.push_back(x);
            lat.push_back(y);
        }
    }
    const dataAttr_t attr{s.columns, s.rows, 1, 0, 0, 0};
    ASSERT_TRUE(out.init_short(values.data(), attr, productInfo_t{}));
    ASSERT_TRUE(out.read_fvals("lat", lat.data(), attr));
    ASSERT_TRUE(out.read_fvals("lon", lon.data(), attr));
}

// One 1 x 1 degree cell with corner values 100 (north-west), 200
// (south-west), 300 (south-east), 400 (north-east): 10 x 10 grid pixels.
const swath kOneCell{2, 2, [](int L, int P) { return std::pair<float, float>(10.0f + P, 1.0f - L); },
                     [](int L, int P) { return std::uint16_t(L == 0 ? (P == 0 ? 100 : 400) : (P == 0 ? 200 : 300)); }};

// A scratch folder and an output loaded with the one-cell swath.
class SwathRegrid : public ::testing::Test {
protected:
    void SetUp() override { load(out, kOneCell); }

    test_support::scratch_folder dir{"vardane-swath"};
    spout out;
    std::vector<std::string> names;
};

} // namespace

TEST_F(SwathRegrid, RadiometerWindowIsTheGeoreferencedGlobalGridWithTheCellBlendedInside)
{
    ASSERT_TRUE(out.gen_posGeoTIFF(dir.file("s_TB"), PT_AMSR2_L2_LOW, 0, true, names));
    ASSERT_EQ(names, std::vector<std::string>{dir.file("s_TB.proj.tif")});
    EXPECT_TRUE(out.failed_windows().empty());

    raster_file tif(names[0]);
    ASSERT_TRUE(tif.is_open());
    EXPECT_EQ(tif.width(), 3600);
    EXPECT_EQ(tif.height(), 1800);
    EXPECT_EQ(tif.bands(), 1);
    EXPECT_EQ(tif.type(1), GDT_UInt16);
    const std::array<double, 6> gt{-180, 0.1, 0, 90, 0, -0.1};
    EXPECT_EQ(tif.geotransform(), gt);
    EXPECT_NE(tif.projection().find("WGS 84"), std::string::npos);

    // Grid point (x, y) is at lon -180 + x / 10, lat 90 - y / 10: the cell's
    // north-west corner is pixel (1900, 890), a corner pixel takes its value.
    EXPECT_EQ(tif.at(1, 1900, 890), 100);
    // The centre is as far from each corner: the plain mean.
    EXPECT_EQ(tif.at(1, 1905, 895), 250);
    // Every pixel inside lies between the corner values, nearer corners
    // weighing more.
    for (int y = 891; y < 900; ++y) {
        for (int x = 1901; x < 1910; ++x) {
            const double v = tif.at(1, x, y);
            EXPECT_GE(v, 100);
            EXPECT_LE(v, 400);
        }
    }
    EXPECT_LT(tif.at(1, 1901, 891), 200);
    EXPECT_GT(tif.at(1, 1909, 899), 250);
    // The east and south edges belong to the next cells; far away is nodata.
    EXPECT_EQ(tif.at(1, 1910, 895), kNodata);
    EXPECT_EQ(tif.at(1, 1905, 900), kNodata);
    EXPECT_EQ(tif.at(1, 0, 0), kNodata);
}

TEST_F(SwathRegrid, KmzOnlyRunWritesNothingAndLeavesTheRegriddedGlobalRaster)
{
    ASSERT_TRUE(out.gen_posGeoTIFF(dir.file("s_TB"), PT_AMSR2_L2_LOW, 0, false, names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    ASSERT_TRUE(out.holds_regridded_grid());
    EXPECT_TRUE(out.isGlobalSphere());
    // The raster as the plain writers see it now.
    const auto grid = dir.file("grid.tif");
    ASSERT_TRUE(out.gen_GeoTiffImage(grid, 0));
    {
        const raster_file tif(grid);
        EXPECT_EQ(tif.width(), 3600);
        EXPECT_EQ(tif.height(), 1800);
        EXPECT_EQ(tif.type(1), GDT_UInt16);
        EXPECT_EQ(tif.geotransform(), (std::array<double, 6>{-180, 0.1, 0, 90, 0, -0.1}));
        EXPECT_EQ(tif.at(1, 1905, 895), 250);
        EXPECT_EQ(tif.at(1, 0, 0), kNodata);
    }

    // The KMZ image of that raster: a table with a class for every value
    // colours the swath and leaves the empty globe transparent.
    const std::vector<color_map> everything{{-1e30f, 1e30f, 200, 100, 50, 255}};
    const auto image = dir.file("s_TB_colour.tif");
    ASSERT_TRUE(out.gen_TiffImage(image, everything, "", true));
    const raster_file tif(image);
    EXPECT_EQ(tif.at(4, 1905, 895), 255);
    EXPECT_EQ(tif.at(1, 1905, 895), 200);
    EXPECT_EQ(tif.at(4, 0, 0), 0);
}

TEST_F(SwathRegrid, CellsAcrossTheDateLineAreDrawnOnBothSidesAndLostPlacesLeaveNoStreak)
{
    // Three columns of one-degree cells along the equator, from 179.9 east
    // across the date line; the middle line's last position is lost.
    const swath s{3, 3,
                  [](int L, int P) {
                      if (L == 1 && P == 2) return std::pair<float, float>(-9999.0f, -9999.0f);
                      const float lon = 179.9f + P * 0.2f;
                      return std::pair<float, float>(lon > 180.0f ? lon - 360.0f : lon, 1.0f - L);
                  },
                  [](int, int) { return std::uint16_t(500); }};
    load(out, s); // in place of the one-cell swath
    ASSERT_TRUE(out.gen_posGeoTIFF(dir.file("d_TB"), PT_AMSR2_L2_LOW, 0, true, names));
    ASSERT_EQ(names.size(), 1u);
    raster_file tif(names[0]);
    ASSERT_TRUE(tif.is_open());
    // Rows 895 and 905: the cells from 179.9 to 180.1 are the last pixel of
    // the map and the first; the cells beyond reach the lost corner and are
    // skipped instead of being drawn towards -9999.
    for (int y : {895, 905}) {
        const auto row = tif.rows(1, y, 1);
        ASSERT_EQ(row.size(), 3600u);
        EXPECT_EQ(row[3599], 500) << y;
        EXPECT_EQ(row[0], 500) << y;
        int filled = 0;
        for (double v : row) filled += v != kNodata;
        EXPECT_EQ(filled, 2) << "a cell must not streak across the map, row " << y;
    }
}

TEST_F(SwathRegrid, MissingGeolocationFailsAndLeavesNoRasterToDraw)
{
    // A longitude array that no pixel fits.
    ASSERT_TRUE(out.read_fvals("lon", nullptr, dataAttr_t{0, 0, 1, 0, 0, 0}));
    EXPECT_FALSE(out.gen_posGeoTIFF(dir.file("m_TB"), PT_AMSR2_L2_LOW, 0, true, names));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(out.last_failure().file, dir.file("m_TB"));
    EXPECT_EQ(out.last_failure().cause, "the swath has no usable geolocation");
    EXPECT_FALSE(out.holds_regridded_grid());
    EXPECT_FALSE(out.gen_GeoTiffImage(dir.file("m.tif"), 0)) << "no raster is left to draw";
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace vardane
