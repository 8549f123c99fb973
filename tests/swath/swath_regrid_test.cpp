// Regridding of handmade swaths through spout, read back with GDAL: the grid
// and its georeferencing, the blend inside a cell, the date line, lost
// positions, and the raster a KMZ-only run is left with.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

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

void load(spout& out, const swath& s, bool codes = false)
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
    dataAttr_t attr{s.columns, s.rows, 1, 0, 0, 0};
    attr.codes = codes;
    ASSERT_TRUE(out.init_short(values.data(), attr, productInfo_t{}));
    ASSERT_TRUE(out.read_fvals("lat", lat.data(), attr));
    ASSERT_TRUE(out.read_fvals("lon", lon.data(), attr));
}

// The centre of pixel (x, y) of the global 0.1-degree window.
std::pair<float, float> centre_of(double x, double y)
{
    return {static_cast<float>(-180.0 + (x + 0.5) / 10.0), static_cast<float>(90.0 - (y + 0.5) / 10.0)};
}

// The regridded global window of a swath written as stem.proj.tif and read
// back, as doubles, row-major.
std::vector<double> regridded(const swath& s, const std::string& stem, bool codes = false)
{
    spout out;
    load(out, s, codes);
    std::vector<std::string> names;
    if (!out.gen_posGeoTIFF(stem, PT_AMSR2_L2_LOW, 0, true, names) || names.size() != 1) {
        ADD_FAILURE() << "not regridded";
        return {};
    }
    return raster_file(names[0]).band(1);
}

// One 1 x 1 degree cell with corner values 100 (north-west), 200
// (south-west), 300 (south-east), 400 (north-east): 10 x 10 grid pixels.
const swath kOneCell{
    2, 2,
    [](int L, int P) { return std::pair<float, float>(10.0f + static_cast<float>(P), 1.0f - static_cast<float>(L)); },
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

    // Pixel (x, y) is the area from lon -180 + x / 10 and lat 90 - y / 10
    // eastwards and southwards: the cell's pixels are the hundred whose
    // centres it holds, columns 1900 to 1909 and rows 890 to 899.
    for (int y = 889; y <= 900; ++y) {
        for (int x = 1899; x <= 1910; ++x) {
            const bool in = x >= 1900 && x <= 1909 && y >= 890 && y <= 899;
            const double v = tif.at(1, x, y);
            if (!in) {
                EXPECT_EQ(v, kNodata) << x << " " << y;
                continue;
            }
            // Every pixel inside lies between the corner values.
            EXPECT_GE(v, 100) << x << " " << y;
            EXPECT_LE(v, 400) << x << " " << y;
        }
    }
    // A pixel at a corner takes nearly that corner's value, nearer corners
    // weighing more.
    EXPECT_NEAR(tif.at(1, 1900, 890), 100, 5);
    EXPECT_NEAR(tif.at(1, 1900, 899), 200, 5);
    EXPECT_NEAR(tif.at(1, 1909, 899), 300, 5);
    EXPECT_NEAR(tif.at(1, 1909, 890), 400, 5);
    // Along the north edge from 100 to 400: each step nearer the other corner.
    for (int i = 1900; i < 1909; ++i) EXPECT_LT(tif.at(1, i, 890), tif.at(1, i + 1, 890)) << i;
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
        EXPECT_NEAR(tif.at(1, 1905, 895), 250, 40);
        EXPECT_NEAR(tif.at(1, 1900, 890), 100, 5);
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
                      const float lon = 179.9f + static_cast<float>(P) * 0.2f;
                      return std::pair<float, float>(lon > 180.0f ? lon - 360.0f : lon, 1.0f - static_cast<float>(L));
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

TEST_F(SwathRegrid, FootprintsOnPixelCentresLandInThoseVeryPixels)
{
    // Six lines of six footprints, each on the centre of one pixel from
    // (1900, 890) on, each with a value of its own.
    const swath s{6, 6, [](int L, int P) { return centre_of(1900 + P, 890 + L); },
                  [](int L, int P) { return std::uint16_t(1000 + 10 * L + P); }};
    const auto grid = regridded(s, dir.file("c_TB"));
    ASSERT_EQ(grid.size(), 3600u * 1800u);
    const auto at = [&](int x, int y) { return grid[std::size_t(y) * 3600 + std::size_t(x)]; };
    // The swath's first and last lines and columns are its outer edge,
    // through the centres of their pixels: those pixels may fall either side
    // of it. Every other pixel holds its own footprint's value.
    for (int L = 1; L < 5; ++L) {
        for (int P = 1; P < 5; ++P) EXPECT_EQ(at(1900 + P, 890 + L), 1000 + 10 * L + P) << L << " " << P;
    }
    // Nothing north or west of the first footprints' pixels.
    for (int i = 889; i <= 896; ++i) {
        EXPECT_EQ(at(1899, i), kNodata) << i;
        EXPECT_EQ(at(i + 1011, 889), kNodata) << i;
    }
}

TEST_F(SwathRegrid, CellsSmallerThanPixelsGiveEachPixelTheValueAtItsCentreInAnyDrawingOrder)
{
    // Footprints every 0.013 degrees (eight to a pixel) over about a degree,
    // their values 1000 a degree of longitude (100 a pixel); the same
    // swath drawn backwards, lines and footprints reversed.
    constexpr int n = 80;
    const auto lon = [](int P) { return 10.0f + 0.013f * static_cast<float>(P); };
    const auto lat = [](int L) { return 1.0f - 0.013f * static_cast<float>(L); };
    const auto ramp = [](float x) { return std::uint16_t(std::lround((x - 10.0) * 1000.0)); };
    const swath forwards{n, n, [&](int L, int P) { return std::pair<float, float>(lon(P), lat(L)); },
                         [&](int, int P) { return ramp(lon(P)); }};
    const swath backwards{n, n, [&](int L, int P) { return std::pair<float, float>(lon(n - 1 - P), lat(n - 1 - L)); },
                          [&](int, int P) { return ramp(lon(n - 1 - P)); }};
    const auto a = regridded(forwards, dir.file("f_TB"));
    const auto b = regridded(backwards, dir.file("b_TB"));
    ASSERT_EQ(a.size(), 3600u * 1800u);
    EXPECT_TRUE(a == b) << "the drawing order changed the grid";

    double sum = 0.0;
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == kNodata) continue;
        const int x = static_cast<int>(i % 3600);
        const double expected = (-180.0 + (x + 0.5) / 10.0 - 10.0) * 1000.0;
        // Within one footprint spacing of the value at the centre.
        EXPECT_NEAR(a[i], expected, 13.0) << "column " << x;
        sum += a[i] - expected;
        ++count;
    }
    EXPECT_GE(count, 90);
    // No pull towards either side: well under a tenth of a pixel (10).
    EXPECT_LT(std::abs(sum / count), 2.0);
}

TEST_F(SwathRegrid, CodesTakeTheNearestCornersCodeAndAreNeverBlended)
{
    // One cell of four flag codes.
    const swath s{2, 2,
                  [](int L, int P) {
                      return std::pair<float, float>(10.0f + static_cast<float>(P), 1.0f - static_cast<float>(L));
                  },
                  [](int L, int P) { return std::uint16_t(L == 0 ? (P == 0 ? 1 : 8) : (P == 0 ? 2 : 4)); }};
    const auto grid = regridded(s, dir.file("q_QA"), true);
    ASSERT_EQ(grid.size(), 3600u * 1800u);
    const auto at = [&](int x, int y) { return grid[std::size_t(y) * 3600 + std::size_t(x)]; };
    std::map<double, int> seen;
    for (int y = 890; y < 900; ++y) {
        for (int x = 1900; x < 1910; ++x) ++seen[at(x, y)];
    }
    // A quarter of the cell's hundred pixels nearest each corner.
    EXPECT_EQ(seen, (std::map<double, int>{{1, 25}, {2, 25}, {4, 25}, {8, 25}}));
    EXPECT_EQ(at(1900, 890), 1);
    EXPECT_EQ(at(1909, 899), 4);

    // The same cell as measurements is blended.
    const auto blended = regridded(s, dir.file("q_TB"));
    ASSERT_EQ(blended.size(), grid.size());
    EXPECT_NE(blended[std::size_t(895) * 3600 + 1904], 1);
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
