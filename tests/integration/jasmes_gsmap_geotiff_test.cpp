// JASMES flat-binary and HDF4 products and GSMaP flat-binary grids through
// the command line to GeoTIFF: geotransform from the grid definition (the
// upper-left pixel centre and the pixel size), values at known places.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>

#include <nlohmann/json.hpp>

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

namespace {

// One input converted alone: the log, the one GeoTIFF it made, and whether
// the input folder holds just the input afterwards.
struct lone_run {
    cli_test::process_result result;
    std::filesystem::path tif;
};

lone_run convert_alone(cli_scene& scene, const std::string& kind, const std::string& name,
                       const test_support::synth_variants& set)
{
    const auto input = scene.product(kind, name, set);
    lone_run run{scene.run({input}), {}};
    EXPECT_EQ(run.result.status, 0) << run.result.out;
    // Nothing unpacked or left beside the input.
    EXPECT_EQ(file_names(scene.in()), std::vector<std::string>{name});
    const auto made = created(run.result.lines, "GeoTIFF");
    EXPECT_EQ(made.size(), 1u) << run.result.out;
    if (!made.empty()) run.tif = scene.out() / made.front();
    return run;
}

// Size, sample type, geotransform, reference and every sample of every band.
void expect_same_raster(const raster_file& a, const raster_file& b)
{
    ASSERT_TRUE(a.is_open() && b.is_open());
    EXPECT_EQ(a.width(), b.width());
    EXPECT_EQ(a.height(), b.height());
    ASSERT_EQ(a.bands(), b.bands());
    EXPECT_EQ(a.geotransform(), b.geotransform());
    EXPECT_EQ(a.projection(), b.projection());
    for (int band = 1; band <= a.bands(); ++band) {
        EXPECT_EQ(a.type(band), b.type(band));
        EXPECT_TRUE(a.band(band) == b.band(band)) << "band " << band;
    }
}

struct packed_input {
    const char* kind;
    const char* name; // the plain file's; the compressed one adds ".gz"
    test_support::synth_variants set;
    const char* announced;
};

class GzipGeoTiff : public ::testing::TestWithParam<packed_input> {};

} // namespace

TEST_P(GzipGeoTiff, CompressedInputGivesTheGeoTiffOfThePlainOne)
{
    const packed_input& c = GetParam();
    cli_scene plainScene;
    cli_scene packedScene;
    const auto plain = convert_alone(plainScene, c.kind, c.name, c.set);
    const auto packed = convert_alone(packedScene, c.kind, std::string(c.name) + ".gz", c.set);
    EXPECT_EQ(file_log(packed.result, std::string(c.name) + ".gz").at(1), c.announced);
    expect_same_raster(raster_file(plain.tif), raster_file(packed.tif));
    // The outputs are named as the plain file's, without ".dat" left over.
    EXPECT_EQ(packed.tif.filename(), plain.tif.filename());
}

INSTANTIATE_TEST_SUITE_P(FlatFamilies, GzipGeoTiff,
                         ::testing::Values(packed_input{"GSMAP_BIN",
                                                        "gsmap_mvk.20220701.0000.v8.0000.0.dat",
                                                        {{"size", "large"}},
                                                        "It is GSMaP/Hourly-L3 Product."},
                                           packed_input{
                                               "JASMES_HDR",
                                               "ndvi.dat",
                                               {{"grid", "japan"}, {"para", "ndvi"}, {"scale", "0.01"}, {"bytes", "2"}},
                                               "It is JASMES/Japan Product."},
                                           packed_input{"JASMES_RAW",
                                                        "lst.dat",
                                                        {{"grid", "thailand"}, {"bytes", "2"}},
                                                        "It is JASMES/Thailand Product."}),
                         [](const ::testing::TestParamInfo<packed_input>& p) { return std::string(p.param.kind); });

TEST(GsmapPeriods, MonthlyGivesItsPrecipitationDailySaysDaily)
{
    cli_scene scene;
    const std::string monthly = "gsmap_mvk.202207.0.1d.monthly.00Z-23Z.v8.0000.0.dat.gz";
    const std::string daily = "gsmap_mvk.20220701.0.1d.daily.00Z-23Z.v8.0000.0.dat";
    scene.product("GSMAP_BIN", monthly, {{"period", "monthly"}});
    scene.product("GSMAP_BIN", daily, {{"period", "daily"}, {"size", "large"}});
    const auto report = (scene.out().parent_path() / "report.jsonl").string();
    const auto r = scene.run({"--report", report, scene.in().string()});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(file_log(r, monthly).at(1), "It is GSMaP/Monthly-L3 Product.");
    EXPECT_EQ(file_log(r, daily).at(1), "It is GSMaP/Daily-L3 Product.");
    const auto made = created(r.lines, "GeoTIFF");
    ASSERT_EQ(made.size(), 2u) << r.out;
    EXPECT_EQ(count_of(r.lines, kReadFailed), 0u);

    std::vector<std::string> kinds;
    for (const auto& line : cli_test::split_lines(read_text(report))) {
        kinds.push_back(nlohmann::json::parse(line).at("kind").get<std::string>());
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"GSMAP_MONTHLY", "GSMAP_HOURLY"}));

    // The monthly file's first grid, not the count stored after it.
    const auto precipitation = synth_precipitation(3600, 1200, 1, synth_gsmap_period::monthly);
    raster_file tif(scene.out() / made.front());
    ASSERT_TRUE(tif.is_open());
    expect_grid(tif, 3600, 1200, GDT_Float32, {-180.0, 0.1, 0.0, 60.0, 0.0, -0.1});
    expect_band(
        tif, 1,
        [&](int row, int column) {
            return double(precipitation[std::size_t(row) * 3600 + from_half_turn(column, 3600)]);
        },
        0.0);
    const auto daily_values = synth_precipitation(3600, 1200, 1, synth_gsmap_period::daily);
    raster_file dailyTif(scene.out() / made.back());
    expect_band(
        dailyTif, 1,
        [&](int row, int column) {
            return double(daily_values[std::size_t(row) * 3600 + from_half_turn(column, 3600)]);
        },
        0.0);
}

TEST(GzipDamage, DamagedCompressedInputsAreFailuresNamingThemAndNothingElse)
{
    cli_scene scene;
    const auto cut = scene.product("GSMAP_BIN", "gsmap_mvk.20220701.0000.v8.0000.0.dat.gz");
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
    const auto garbage = (scene.in() / "gsmap_mvk.20220701.0100.v8.0000.0.dat.gz").string();
    std::ofstream(garbage, std::ios::binary) << std::string(4096, '\x1f');
    const auto jasmes = scene.product("JASMES_RAW", "wf.dat.gz", {{"grid", "gobi"}});
    std::filesystem::resize_file(jasmes, std::filesystem::file_size(jasmes) - 100);
    const auto before = file_names(scene.in());

    const auto report = (scene.out().parent_path() / "report.jsonl").string();
    const auto r = scene.run({"--report", report, scene.in().string()});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(file_names(scene.in()), before);
    EXPECT_TRUE(file_names(scene.out()).empty());
    std::vector<std::string> files;
    for (const auto& line : cli_test::split_lines(read_text(report))) {
        const auto entry = nlohmann::json::parse(line);
        EXPECT_TRUE(entry.at("kind").is_null()) << line;
        ASSERT_EQ(entry.at("failures").size(), 1u) << line;
        const auto& failure = entry.at("failures").at(0);
        EXPECT_EQ(failure.at("file"), entry.at("input")) << line;
        EXPECT_EQ(failure.at("cause").get<std::string>().rfind("gzip data are ", 0), 0u) << line;
        files.push_back(std::filesystem::path(entry.at("input").get<std::string>()).filename().string());
    }
    EXPECT_EQ(files, before);
}

} // namespace vardane
