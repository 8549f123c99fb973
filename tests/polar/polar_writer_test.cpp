// Global latitude/longitude rasters reprojected to north and south
// polar-stereographic GeoTIFFs, read back with GDAL and compared with PROJ.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include "output/polar/padded_grid.h"
#include "polar/polar_scene.h"

using namespace output_test;
using namespace polar_test;

namespace {

std::vector<std::string> names_in(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// True when the structure around (lat, lon) is uniform over more than an
// output pixel, so that nearest-neighbour sampling cannot pick a neighbour.
bool away_from_edges(double lat, double lon)
{
    const float v = landscape(lat, lon);
    for (const double dLat : {-1.5, 0.0, 1.5}) {
        for (const double dLon : {-3.0, 0.0, 3.0}) {
            if (landscape(lat + dLat, lon + dLon) != v) return false;
        }
    }
    return true;
}

class PolarGeoTiff : public ::testing::Test {
protected:
    // A global float grid of the given size starting at longitude west.
    void load(int width, int height, double west)
    {
        const auto values = global_grid(width, height, west);
        ASSERT_TRUE(out.init_float(values.data(), attr_of(width, height), grid_info(90, west, -90, west + 360)));
    }

    temp_dir dir;
    spout out;
};

} // namespace

TEST(PaddedGrid, ThinsTurnsAndWrapsGlobalGrids)
{
    struct padding_case {
        int width;
        int height;
        double west;
        int step;
        int reducedWidth;
        int shift;
        int pad;
    };
    for (const padding_case& c : {padding_case{3600, 1800, 0.0, 6, 600, -300, 75},
                                  padding_case{1440, 720, -180.0, 3, 480, 0, 60},
                                  padding_case{360, 180, -180.0, 1, 360, 0, 45}}) {
        SCOPED_TRACE(c.width);
        spout out;
        const auto values = global_grid(c.width, c.height, c.west);
        ASSERT_TRUE(out.init_float(values.data(), attr_of(c.width, c.height), grid_info(90, c.west, -90, c.west + 360)));
        const auto g = make_padded_grid(out.raster, out.rasterKind, out.corners, out.geoTransform, false);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->step, c.step);
        EXPECT_EQ(g->reducedWidth, c.reducedWidth);
        EXPECT_EQ(g->reducedHeight, c.height / c.step);
        EXPECT_EQ(g->shift, c.shift);
        EXPECT_EQ(g->pad, c.pad);
        EXPECT_EQ(g->cells.width(), c.reducedWidth + 2 * c.pad);
        EXPECT_EQ(g->cells.height(), c.height / c.step);
        // The padded image starts at -180 minus the padding, in reduced cells.
        const double pixel = 360.0 / c.reducedWidth;
        EXPECT_DOUBLE_EQ(g->geoTransform[0], -180.0 - c.pad * pixel);
        EXPECT_DOUBLE_EQ(g->geoTransform[1], pixel);
        EXPECT_DOUBLE_EQ(g->geoTransform[3], 90.0);
        EXPECT_DOUBLE_EQ(g->geoTransform[5], -180.0 / g->reducedHeight);
        // Every padded cell shows the source cell under its own longitude.
        for (int r = 0; r < g->cells.height(); r += 7) {
            for (int col = 0; col < g->cells.width(); ++col) {
                const double lon = g->geoTransform[0] + (col + 0.5) * pixel;
                const int j = int(std::floor((std::remainder(lon - c.west - 180.0, 360.0) + 180.0) / pixel));
                ASSERT_EQ(g->cells.at(r, col).f32, out.raster.at(r * c.step, j * c.step).f32)
                    << "row " << r << " column " << col;
            }
        }
    }
}

TEST(PaddedGrid, FloorsFloatsOnlyWhenAsked)
{
    spout out;
    std::vector<float> values(360 * 180, -9999.0f);
    values[1] = 3.0f;
    ASSERT_TRUE(out.init_float(values.data(), attr_of(360, 180), grid_info(90, -180, -90, 180)));
    for (const bool floors : {true, false}) {
        const auto g = make_padded_grid(out.raster, out.rasterKind, out.corners, out.geoTransform, floors);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->cells.at(0, g->pad).f32, floors ? -10.0f : -9999.0f);
        EXPECT_EQ(g->cells.at(0, g->pad + 1).f32, 3.0f);
    }
}

// The one full-size case: a 0.1 degree grid from 0 to 360 degrees.
TEST_F(PolarGeoTiff, MarkersLandWhereProjPutsThemAndEachFileCoversItsPole)
{
    load(3600, 1800, 0.0);
    const std::string north = dir.file("grid_N.tif");
    const std::string south = dir.file("grid_S.tif");
    ASSERT_TRUE(out.gen_GeoTiff_PolarImages(0, north, south, 0));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"grid_N.tif", "grid_S.tif"}));

    for (const bool isNorth : {true, false}) {
        SCOPED_TRACE(isNorth ? "north" : "south");
        auto ds = open_readonly(isNorth ? north : south);
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_Float32);
        const OGRSpatialReference* srs = ds->GetSpatialRef();
        ASSERT_NE(srs, nullptr);
        EXPECT_TRUE(srs->IsProjected());
        EXPECT_DOUBLE_EQ(srs->GetProjParm(SRS_PP_LATITUDE_OF_ORIGIN), isNorth ? 90.0 : -90.0);

        const marker& m = isNorth ? kNorthMarker : kSouthMarker;
        const auto expected = pixel_of(*ds, isNorth, m.lat, m.lon);
        const auto found = centroid_of(*ds, m.value);
        ASSERT_TRUE(found) << "marker lost";
        EXPECT_NEAR((*found)[0], expected[0], 2.0);
        EXPECT_NEAR((*found)[1], expected[1], 2.0);
        // The other hemisphere's marker cannot show.
        EXPECT_FALSE(centroid_of(*ds, isNorth ? kSouthMarker.value : kNorthMarker.value));

        // The pole is inside the image and has a value.
        const double poleLat = isNorth ? 90.0 : -90.0;
        EXPECT_GT(value_at_pixel(*ds, pixel_of(*ds, isNorth, poleLat, 0.0)).value_or(0.0), 0.0);
        // Across the date line, where the grid's edges meet, every sample
        // away from an edge of the structure shows the source's value: no
        // seam.
        int compared = 0;
        for (const double lat : {62.0, 65.0, 72.0, 75.0, 78.0}) {
            for (double lon = 170.0; lon <= 190.0; lon += 1.0) {
                const double la = isNorth ? lat : -lat;
                if (!away_from_edges(la, lon)) continue;
                ++compared;
                EXPECT_EQ(value_at_pixel(*ds, pixel_of(*ds, isNorth, la, lon)), landscape(la, lon))
                    << la << " " << lon;
            }
        }
        EXPECT_GT(compared, 40);
    }
}

TEST_F(PolarGeoTiff, ModesWriteTheirHemispheresAndRefusalsWriteNothing)
{
    struct mode_case {
        const char* what;
        bool global;
        std::int32_t mode;
        const char* north;
        const char* south;
        bool written;
        std::vector<std::string> files;
    };
    const mode_case cases[] = {
        {"north only, no south name", true, 1, "a_N.tif", "", true, {"a_N.tif"}},
        {"south only", true, 2, "b_N.tif", "b_S.tif", true, {"b_S.tif"}},
        {"south without a name", true, 2, "c_N.tif", "", false, {}},
        {"both without a north name", true, 0, "", "d_S.tif", false, {}},
        {"not global", false, 0, "e_N.tif", "e_S.tif", false, {}},
    };
    for (const mode_case& c : cases) {
        SCOPED_TRACE(c.what);
        temp_dir here;
        const auto values = global_grid(360, 180, -180.0);
        ASSERT_TRUE(out.init_float(values.data(), attr_of(360, 180),
                                   c.global ? grid_info(90, -180, -90, 180) : grid_info(90, -180, -90, 170)));
        const auto path = [&](const char* name) { return *name ? here.file(name) : std::string(); };
        EXPECT_EQ(out.gen_GeoTiff_PolarImages(c.mode, path(c.north), path(c.south), 0), c.written);
        EXPECT_EQ(names_in(here.path()), c.files);
    }
}

TEST_F(PolarGeoTiff, RgbGridsKeepTheirThreeBands)
{
    std::vector<std::uint8_t> rgb(std::size_t(360) * 180 * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = std::uint8_t(1 + i % 3);
    ASSERT_TRUE(out.init_char(rgb.data(), attr_of(360, 180, 3), grid_info(90, -180, -90, 180)));
    ASSERT_TRUE(out.gen_GeoTiff_PolarImages(1, dir.file("rgb_N.tif"), "", 0));
    auto ds = open_readonly(dir.file("rgb_N.tif"));
    ASSERT_TRUE(ds);
    ASSERT_EQ(ds->GetRasterCount(), 3);
    const auto pole = pixel_of(*ds, true, 90.0, 0.0);
    for (int k = 1; k <= 3; ++k) {
        std::uint8_t v = 0;
        ASSERT_EQ(ds->GetRasterBand(k)->RasterIO(GF_Read, int(pole[0]), int(pole[1]), 1, 1, &v, 1, 1, GDT_Byte, 0, 0,
                                                 nullptr),
                  CE_None);
        EXPECT_EQ(v, k);
    }
}

TEST_F(PolarGeoTiff, FailuresLeaveNeitherTemporariesNorResults)
{
    load(360, 180, -180.0);
    // The south result cannot be made: its folder is missing. The north
    // result, already written, goes too.
    EXPECT_FALSE(out.gen_GeoTiff_PolarImages(0, dir.file("f_N.tif"), dir.file("missing/f_S.tif"), 0));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << names_in(dir.path()).size();

    // The final name is taken by a folder: the stereographic step fails.
    std::filesystem::create_directory(dir / "g_N.tif");
    EXPECT_FALSE(out.gen_GeoTiff_PolarImages(1, dir.file("g_N.tif"), "", 0));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"g_N.tif"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "g_N.tif"));
}
