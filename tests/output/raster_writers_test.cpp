// The plain TIFF and GeoTIFF writers on rasters loaded by hand: sample types,
// bands and values of every raster kind, the half-turn and the floor of the
// gridded modes, and no file when there is nothing or nowhere to write.
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include "output/gdal_session.h"
#include "output/spout.h"
#include "output_test_support.h"

namespace vardane {

using namespace output_test;

namespace {

constexpr int kW = 1440;
constexpr int kH = 720;

} // namespace

TEST(RasterWriters, EachRasterKindKeepsItsSampleTypeBandsAndValues)
{
    // Two pixels each; the scale must not touch the stored counts.
    const std::vector<std::uint8_t> rgb{255, 0, 10, 1, 2, 3};
    const std::vector<std::uint8_t> grey{7, 8};
    const std::vector<std::uint16_t> words{0xFFFF, 0x8000};
    const std::vector<float> floats{-9999.0f, 1.5f};
    const productInfo_t box = grid_info(10, 20, 5, 30, 0.01);
    struct sample_case {
        const char* what;
        std::function<bool(spout&)> load;
        GDALDataType type;
        std::vector<std::vector<double>> bands;
    };
    const sample_case cases[] = {
        {"rgb",
         [&](spout& o) { return o.init_char(rgb.data(), attr_of(2, 1, 3), box); },
         GDT_Byte,
         {{255, 1}, {0, 2}, {10, 3}}},
        {"grey", [&](spout& o) { return o.init_char(grey.data(), attr_of(2, 1), box); }, GDT_Byte, {{7, 8}}},
        {"signed",
         [&](spout& o) { return o.init_signed(words.data(), attr_of(2, 1), box); },
         GDT_Int16,
         {{-1, -32768}}},
        {"unsigned",
         [&](spout& o) { return o.init_short(words.data(), attr_of(2, 1), box); },
         GDT_UInt16,
         {{65535, 32768}}},
        {"float",
         [&](spout& o) { return o.init_float(floats.data(), attr_of(2, 1), box); },
         GDT_Float32,
         {{-9999, 1.5}}},
    };
    for (const auto& c : cases) {
        for (const bool geo : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (geo ? " GeoTIFF" : " plain TIFF"));
            temp_dir dir;
            spout out;
            ASSERT_TRUE(c.load(out));
            const std::string name = dir.file("out.tif");
            ASSERT_TRUE(geo ? out.gen_GeoTiffImage(name, 0) : out.gen_TiffImage(name));
            auto ds = open_readonly(name);
            ASSERT_TRUE(ds);
            ASSERT_EQ(ds->GetRasterCount(), int(c.bands.size()));
            for (int b = 1; b <= ds->GetRasterCount(); ++b) {
                EXPECT_EQ(ds->GetRasterBand(b)->GetRasterDataType(), c.type);
                EXPECT_EQ(read_band<double>(*ds, b, GDT_Float64), c.bands[std::size_t(b - 1)]) << "band " << b;
            }
            int hasNoData = 0;
            ds->GetRasterBand(1)->GetNoDataValue(&hasNoData);
            EXPECT_FALSE(hasNoData);
            if (geo) {
                EXPECT_EQ(geotransform_of(*ds), (std::vector<double>{20, 5, 0, 10, 0, -5}));
                EXPECT_EQ(epsg_of(*ds), 4326);
            } else {
                double gt[6];
                EXPECT_NE(ds->GetGeoTransform(gt), CE_None);
                EXPECT_EQ(ds->GetSpatialRef(), nullptr);
            }
        }
    }
}

TEST(RasterWriters, NothingToWriteOrNowhereToWriteCreatesNoFile)
{
    using writer = std::function<bool(spout&, const std::string&)>;
    const std::pair<const char*, writer> writers[] = {
        {"TIFF", [](spout& o, const std::string& n) { return o.gen_TiffImage(n); }},
        {"GeoTIFF", [](spout& o, const std::string& n) { return o.gen_GeoTiffImage(n, 1); }},
        {"L3 GeoTIFF", [](spout& o, const std::string& n) { return o.gen_L3EQR_GeoTiffImage(n, true); }},
    };
    const std::vector<std::uint16_t> words(std::size_t(1440) * 720, 3);
    for (const auto& [what, write] : writers) {
        SCOPED_TRACE(what);
        temp_dir dir;
        spout out;
        EXPECT_FALSE(write(out, dir.file("never.tif")));
        ASSERT_TRUE(out.init_signed(words.data(), attr_of(1440, 720), grid_info(90, 0, -90, 360)));
        EXPECT_FALSE(write(out, ""));
        EXPECT_FALSE(write(out, dir.file("no/such/folder.tif")));
        out.Clear_Array_raster();
        EXPECT_FALSE(write(out, dir.file("cleared.tif")));
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    }
}

// One float grid through the three modes: global rotates half a turn and
// floors, regional floors in place, plain changes nothing.
TEST(GriddedGeoTiff, GlobalRotatesAndFloorsRegionalFloorsPlainKeepsAll)
{
    // A JASMES-like global float grid from 0 to 360 degrees: each value tells
    // its own column, with fill values in the first row.
    std::vector<float> grid(std::size_t(kW) * kH);
    for (std::size_t i = 0; i < grid.size(); ++i) grid[i] = float(i % kW) + float(i / kW) / 1000.0f;
    grid[0] = -9999.0f;
    grid[1] = std::numeric_limits<float>::quiet_NaN();
    grid[2] = -10.5f;
    grid[3] = -9.5f;
    grid[kW + 720] = -9999.0f;
    auto source = [&](int r, int c) { return grid[std::size_t(r) * kW + c]; };
    temp_dir dir;
    spout out;
    ASSERT_TRUE(out.init_float(grid.data(), attr_of(kW, kH), grid_info(90, 0, -90, 360)));
    for (const int mode : {0, 1, 2}) ASSERT_TRUE(out.gen_GeoTiffImage(dir.file(std::to_string(mode) + ".tif"), mode));
    auto plain = open_readonly(dir.file("0.tif"));
    auto global = open_readonly(dir.file("1.tif"));
    auto regional = open_readonly(dir.file("2.tif"));
    ASSERT_TRUE(plain && global && regional);
    EXPECT_EQ(geotransform_of(*global), (std::vector<double>{-180, 0.25, 0, 90, 0, -0.25}));
    EXPECT_DOUBLE_EQ(geotransform_of(*regional)[0], 0.0);
    EXPECT_DOUBLE_EQ(geotransform_of(*plain)[0], 0.0);

    const auto v = read_band<float>(*global, 1, GDT_Float32);
    auto at = [&](int r, int c) { return v[std::size_t(r) * kW + c]; };
    EXPECT_FLOAT_EQ(at(5, 0), source(5, 720));
    EXPECT_FLOAT_EQ(at(5, 719), source(5, 1439));
    EXPECT_FLOAT_EQ(at(5, 720), source(5, 0));
    EXPECT_FLOAT_EQ(at(1, 0), -10.0f);   // -9999 at source column 720
    EXPECT_FLOAT_EQ(at(0, 720), -10.0f); // -9999 at source column 0
    EXPECT_TRUE(std::isnan(at(0, 721))); // NaN is not floored
    EXPECT_FLOAT_EQ(at(0, 722), -10.0f);
    EXPECT_FLOAT_EQ(at(0, 723), -9.5f);

    const auto r = read_band<float>(*regional, 1, GDT_Float32);
    EXPECT_FLOAT_EQ(r[0], -10.0f);
    EXPECT_FLOAT_EQ(r[2], -10.0f);
    EXPECT_FLOAT_EQ(r[kW + 5], source(1, 5));
    const auto p = read_band<float>(*plain, 1, GDT_Float32);
    EXPECT_FLOAT_EQ(p[0], -9999.0f);
    EXPECT_FLOAT_EQ(p[2], -10.5f);
    EXPECT_FLOAT_EQ(p[kW * 3 + 1000], source(3, 1000));
}

// The written-out WGS 84 text is the one PROJ's database gives for
// EPSG:4326, so that the GeoTIFF keys derived from it stay the same.
TEST(GriddedGeoTiff, TheFixedWgs84TextIsWhatProjExportsForEpsg4326)
{
    OGRSpatialReference srs;
    ASSERT_EQ(srs.SetFromUserInput("EPSG:4326"), OGRERR_NONE);
    char* wkt = nullptr;
    ASSERT_EQ(srs.exportToWkt(&wkt), OGRERR_NONE);
    const std::string exported(wkt);
    CPLFree(wkt);
    EXPECT_EQ(gdal_session::wgs84_wkt(), exported);
}

} // namespace vardane
