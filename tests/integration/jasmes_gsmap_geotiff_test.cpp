// JASMES flat-binary and HDF4 products and GSMaP flat-binary grids through
// the command line to GeoTIFF: geotransform from the grid definition (the
// upper-left pixel centre and the pixel size), values at known places.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "jasmes/jasmes_synth.h"

namespace vardane {

using namespace integration;

namespace {

using geotransform = std::array<double, 6>;

// The grid's outer edges: half a pixel beyond the centre of the upper-left
// pixel; shifted by half a turn when the image is written from -180.
geotransform edges_of(const synth_grid& g, double lonShift = 0.0)
{
    const double d = g.resolution;
    return {g.lon - d / 2 + lonShift, d, 0.0, g.lat + d / 2, 0.0, -d};
}

// The file's size, the sample type of its first band, its geotransform and
// its WGS 84 reference.
void expect_grid(const raster_file& file, int width, int height, GDALDataType type, const geotransform& expected)
{
    EXPECT_EQ(file.width(), width);
    EXPECT_EQ(file.height(), height);
    EXPECT_EQ(file.type(1), type);
    const auto gt = file.geotransform();
    ASSERT_TRUE(gt.has_value());
    for (int i = 0; i < 6; ++i) EXPECT_NEAR((*gt)[i], expected[i], 1e-9) << "geotransform term " << i;
    EXPECT_NE(file.projection().find("WGS"), std::string::npos) << file.projection();
}

// Compares a band with the expected value of every output cell, reading row
// by row; reports the number of differing cells and the first one.
void expect_band(const raster_file& file, int band, const std::function<double(int, int)>& expected, double tolerance)
{
    std::size_t wrong = 0;
    std::string first;
    for (int r = 0; r < file.height(); ++r) {
        const auto values = file.rows(band, r, 1);
        ASSERT_EQ(values.size(), std::size_t(file.width()));
        for (int c = 0; c < file.width(); ++c) {
            const double want = expected(r, c);
            if (std::abs(values[std::size_t(c)] - want) > tolerance * std::max(1.0, std::abs(want)) && wrong++ == 0) {
                first = "row " + std::to_string(r) + " column " + std::to_string(c) + ": "
                        + std::to_string(values[std::size_t(c)]) + " instead of " + std::to_string(want);
            }
        }
    }
    EXPECT_EQ(wrong, 0u) << "band " << band << ", first difference at " << first;
}

std::size_t cell(const synth_grid& g, int row, int column) { return std::size_t(row) * g.width + column; }

// Column of the stored image that output column c shows, for an image
// written from -180 degrees (the stored one starts at 0 degrees).
int from_half_turn(int c, int width) { return (c + width / 2) % width; }

// A 16-bit headed JASMES grid: physical value slope * count + offset, or
// 10 to that power for chlorophyll; missing (65534 and up) and anything
// below -10 are written as -10. Global grids are written from -180 degrees.
struct headed_grid {
    const char* grid;
    const char* para;
    double slope, offset;
    bool logarithmic;
    std::uint32_t maxCount;
    const char* announced;
};

class JasmesHeadedGrid : public ::testing::TestWithParam<headed_grid> {};

} // namespace

TEST_P(JasmesHeadedGrid, ValuesAreScaledFlooredAtMinus10AndPlacedByTheGridDefinition)
{
    const headed_grid& c = GetParam();
    cli_scene scene;
    const synth_grid g = *find_synth_grid(c.grid);
    const bool global = std::string(c.grid) == "global";
    auto counts = synth_counts(g.width, g.height, 3, 0, c.maxCount, 65535);
    counts[cell(g, 5, 7)] = 65534; // missing as well
    std::vector<unsigned char> payload;
    append_u16le(payload, counts);
    const auto input = (scene.in() / "grid.dat").string();
    ASSERT_TRUE(write_headed_file(input, t1_header_line(g, c.slope, c.offset, c.para, "Synthetic_area"),
                                  2 * std::size_t(g.width), payload));

    const auto r = scene.run({input});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(file_log(r, "grid.dat").at(1), c.announced);
    const std::string name = "grid_" + std::string(c.para) + ".tif";
    EXPECT_EQ(created(r.lines, "GeoTIFF"), std::vector<std::string>{name});
    raster_file tif(scene.out() / name);
    ASSERT_TRUE(tif.is_open());
    expect_grid(tif, g.width, g.height, GDT_Float32, edges_of(g, global ? -180.0 : 0.0));
    expect_band(
        tif, 1,
        [&](int row, int column) {
            const auto v = counts[cell(g, row, global ? from_half_turn(column, g.width) : column)];
            const double linear = c.slope * v + c.offset;
            return v >= 65534 ? -10.0 : std::max(-10.0, c.logarithmic ? std::pow(10.0, linear) : linear);
        },
        1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    GlobalAndRegional, JasmesHeadedGrid,
    ::testing::Values(headed_grid{"global", "chla", 0.015, -2.0, true, 300, "It is JASMES/GlobalSphere Product."},
                      headed_grid{"japan", "ndvi", 0.01, -15.0, false, 3000, "It is JASMES/Japan Product."}),
    [](const ::testing::TestParamInfo<headed_grid>& p) { return std::string(p.param.grid); });

TEST(JasmesGeoTiff, RgbCompositeIsThreeByteBands)
{
    cli_scene scene;
    const synth_grid g = *find_synth_grid("thailand");
    std::vector<std::vector<std::uint32_t>> planes;
    std::vector<unsigned char> payload;
    for (std::uint32_t k = 0; k < 3; ++k) {
        planes.push_back(synth_counts(g.width, g.height, 7 + k, 0, 255, 0));
        append_u8(payload, planes.back());
    }
    const auto input = (scene.in() / "colour.dat").string();
    ASSERT_TRUE(write_headed_file(input, t1rgb_header_line(g, 1.0, 0.0, "1Krgb", "Synthetic_thailand"),
                                  std::size_t(g.width), payload));

    const auto r = scene.run({input});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.lines.at(2), "It is JASMES/Thailand Product.");
    raster_file tif(scene.out() / "colour_rgb.tif");
    ASSERT_TRUE(tif.is_open()) << r.out;
    ASSERT_EQ(tif.bands(), 3);
    expect_grid(tif, g.width, g.height, GDT_Byte, edges_of(g));
    for (int b = 1; b <= 3; ++b) {
        EXPECT_EQ(tif.type(b), GDT_Byte);
        const auto& plane = planes[std::size_t(b - 1)];
        expect_band(
            tif, b, [&](int row, int column) { return double(plane[cell(g, row, column)]); }, 0.0);
    }
}

TEST(JasmesGeoTiff, Hdf4FlagImagesOnTheGlobalAndTheFineJapanGrid)
{
    cli_scene scene;
    const synth_grid global = *find_synth_grid("global");
    const synth_grid japan = *find_synth_grid("japan5");
    const auto globalFile = (scene.in() / "flags_global.hdf").string();
    const auto japanFile = (scene.in() / "flags_japan.hdf").string();
    ASSERT_TRUE(
        write_jasmes_hdf4(globalFile, global.width, global.height, {{"cs_flg_tpf", 8, true}}, "M5C_SYNTH_GLOBAL", 11));
    ASSERT_TRUE(
        write_jasmes_hdf4(japanFile, japan.width, japan.height, {{"Surface_Flag", 8, true}}, "MYD_SYNTH_JAPAN", 12));

    const auto r = scene.run({globalFile, japanFile});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(created(r.lines, "GeoTIFF"),
              (std::vector<std::string>{"flags_global_sg5c_cft.tif", "flags_japan_s_sf.tif"}));

    // The global flags are written from -180 degrees like every global grid.
    const auto globalCounts = synth_counts(global.width, global.height, 11, 0, 254, 255);
    raster_file g(scene.out() / "flags_global_sg5c_cft.tif");
    ASSERT_TRUE(g.is_open());
    expect_grid(g, global.width, global.height, GDT_Byte, edges_of(global, -180.0));
    expect_band(
        g, 1,
        [&](int row, int column) {
            return double(globalCounts[cell(global, row, from_half_turn(column, global.width))]);
        },
        0.0);

    const auto japanCounts = synth_counts(japan.width, japan.height, 12, 0, 254, 255);
    raster_file j(scene.out() / "flags_japan_s_sf.tif");
    ASSERT_TRUE(j.is_open());
    expect_grid(j, japan.width, japan.height, GDT_Byte, edges_of(japan));
    expect_band(
        j, 1, [&](int row, int column) { return double(japanCounts[cell(japan, row, column)]); }, 0.0);
}

class GsmapBinaryGeoTiff : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(GsmapBinaryGeoTiff, RowsRunFromMinus180AndValuesPassUnchanged)
{
    cli_scene scene;
    // Plain variables: clang before 16 cannot capture a structured binding in
    // the lambda below.
    const int columns = GetParam().first;
    const int rows = GetParam().second;
    std::vector<float> grid(std::size_t(columns) * std::size_t(rows));
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const std::size_t row = i / columns;
        grid[i] = float(row * 10000 + i % columns);
    }
    grid[5] = -999.9f; // no observation: kept as it is
    std::vector<unsigned char> payload;
    append_f32le(payload, grid);
    const auto input = (scene.in() / "gsmap_rain.dat").string();
    ASSERT_TRUE(write_bytes_file(input, payload));

    const auto r = scene.run({input});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(created(r.lines, "GeoTIFF"), std::vector<std::string>{"gsmap_rain_PRC.tif"});
    raster_file tif(scene.out() / "gsmap_rain_PRC.tif");
    ASSERT_TRUE(tif.is_open());
    const double d = 360.0 / columns;
    expect_grid(tif, columns, rows, GDT_Float32, {-180.0, d, 0.0, 60.0, 0.0, -d});
    expect_band(
        tif, 1,
        [&](int row, int column) { return double(grid[std::size_t(row) * columns + from_half_turn(column, columns)]); },
        0.0);
}

INSTANTIATE_TEST_SUITE_P(BothSizes, GsmapBinaryGeoTiff,
                         ::testing::Values(std::make_pair(1440, 480), std::make_pair(3600, 1200)));

} // namespace vardane
