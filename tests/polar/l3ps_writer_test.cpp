// Radiometer L3 grids already on a polar-stereographic grid: written with
// libtiff and libgeotiff, read back with GDAL, libtiff and listgeo.
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <proj.h>
#include <tiffio.h>

#include "output/spout.h"
#include "output/output_test_support.h"

using namespace output_test;

namespace {

struct native_grid {
    int width;
    int height;
    bool isSigned;
    double pixel;
    double ulX;
    double ulY;
    int pcs;           // ProjectedCSTypeGeoKey
    const char* proj;  // the grid's projection, written out independently
    double markerLat;  // a point well inside the grid
    double markerLon;
};

constexpr const char* kNsidcNorth = "+proj=stere +lat_0=90 +lat_ts=70 +lon_0=-45 +a=6378273 +b=6356889.449";
constexpr const char* kNsidcSouth = "+proj=stere +lat_0=-90 +lat_ts=-70 +lon_0=0 +a=6378273 +b=6356889.449";
constexpr const char* kZemaNorth = "+proj=stere +lat_0=90 +lat_ts=70 +lon_0=90 +a=6378273 +b=6356889.449";

constexpr native_grid kGrids[] = {
    {790, 830, false, 10000, -3950000, 4350000, 3412, kNsidcSouth, -75.0, 100.0},
    {316, 332, true, 25000, -3950000, 4350000, 3412, kNsidcSouth, -70.0, -120.0},
    {760, 1120, false, 10000, -3850000, 5850000, 3411, kNsidcNorth, 75.0, -40.0},
    {304, 448, true, 25000, -3850000, 5850000, 3411, kNsidcNorth, 75.0, 30.0},
    {1080, 1435, true, 10000, -5390000, 6468000, 5890, kZemaNorth, 75.0, 30.0},
    {432, 574, false, 25000, -5390000, 6468000, 5890, kZemaNorth, 60.0, 100.0},
};

std::string run(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return output;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), int(buf.size()), pipe.get()) != nullptr) output += buf.data();
    return output;
}

// Projected position of (lat, lon) under a PROJ definition.
std::array<double, 2> project(const char* definition, double lat, double lon)
{
    std::unique_ptr<PJ, PJ* (*)(PJ*)> pj(proj_create(nullptr, definition), proj_destroy);
    EXPECT_TRUE(pj) << definition;
    if (!pj) return {0, 0};
    const PJ_COORD xy = proj_trans(pj.get(), PJ_FWD, proj_coord(proj_torad(lon), proj_torad(lat), 0, 0));
    return {xy.xy.x, xy.xy.y};
}

// The same position under the CRS GDAL reads from the file.
std::array<double, 2> project(const OGRSpatialReference& fileSrs, double lat, double lon)
{
    OGRSpatialReference geographic;
    geographic.CopyGeogCSFrom(&fileSrs);
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference target(fileSrs);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(&geographic, &target));
    std::array<double, 2> xy{lon, lat};
    EXPECT_TRUE(ct && ct->Transform(1, &xy[0], &xy[1]));
    return xy;
}

class L3PolarGeoTiff : public ::testing::Test {
protected:
    temp_dir dir;
    spout out;
};

} // namespace

TEST_F(L3PolarGeoTiff, EverySixGridsAreProjectedFilesWithTheirKeysCornersAndCounts)
{
    ASSERT_TRUE(std::filesystem::exists("/usr/bin/listgeo"));
    for (const native_grid& g : kGrids) {
        const std::string name = dir.file(std::to_string(g.width) + "x" + std::to_string(g.height) + ".tif");
        SCOPED_TRACE(name);
        std::vector<std::uint16_t> words(std::size_t(g.width) * g.height);
        for (std::size_t i = 0; i < words.size(); ++i) words[i] = std::uint16_t(i * 13 % 65536);
        const dataAttr_t attr = attr_of(g.width, g.height);
        const productInfo_t info = grid_info(31.0, 168.0, 34.0, 350.0);
        ASSERT_TRUE(g.isSigned ? out.init_signed(words.data(), attr, info) : out.init_short(words.data(), attr, info));
        ASSERT_TRUE(out.gen_L3PS_GeoTiffImage(name));

        {
            std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(name.c_str(), "r"), TIFFClose);
            ASSERT_TRUE(tif);
            EXPECT_TRUE(TIFFIsBigEndian(tif.get()));
        }

        auto ds = open_readonly(name);
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterXSize(), g.width);
        EXPECT_EQ(ds->GetRasterYSize(), g.height);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), g.isSigned ? GDT_Int16 : GDT_UInt16);
        EXPECT_EQ(geotransform_of(*ds), (std::vector<double>{g.ulX, g.pixel, 0, g.ulY, 0, -g.pixel}));
        const OGRSpatialReference* srs = ds->GetSpatialRef();
        ASSERT_NE(srs, nullptr);
        EXPECT_TRUE(srs->IsProjected());
        EXPECT_STREQ(srs->GetAttrValue("PROJECTION"), "Polar_Stereographic");
        EXPECT_EQ(epsg_of(*ds), g.pcs);
        // GDAL places a point where the grid's own projection does.
        const auto expected = project(g.proj, g.markerLat, g.markerLon);
        const auto actual = project(*srs, g.markerLat, g.markerLon);
        EXPECT_NEAR(actual[0], expected[0], 1.0);
        EXPECT_NEAR(actual[1], expected[1], 1.0);

        std::vector<std::int32_t> counts(words.size());
        for (std::size_t i = 0; i < words.size(); ++i) {
            counts[i] = g.isSigned ? std::int32_t(std::int16_t(words[i])) : std::int32_t(words[i]);
        }
        EXPECT_EQ(read_band<std::int32_t>(*ds, 1, GDT_Int32), counts);

        const std::string keys = run("/usr/bin/listgeo '" + name + "' 2>&1");
        const std::string pole = g.pcs == 3411 ? "-45" : g.pcs == 3412 ? "0" : "90";
        const std::vector<std::string> wanted = {
            "ModelTypeProjected", "RasterPixelIsArea", "Code-" + std::to_string(g.pcs), "CT_PolarStereographic",
            "Linear_Meter", "6378273", "6356889.449", "ProjStraightVertPoleLongGeoKey (Double,1): " + pole,
            "Hughes 1980"};
        for (const std::string& want : wanted) {
            EXPECT_NE(keys.find(want), std::string::npos) << want << " missing from\n" << keys;
        }
    }
}

TEST_F(L3PolarGeoTiff, OtherSizesAndKindsCreateNoFile)
{
    const std::vector<std::uint16_t> square(800 * 800, 1);
    ASSERT_TRUE(out.init_short(square.data(), attr_of(800, 800), grid_info(31, 168, 34, 350)));
    EXPECT_FALSE(out.gen_L3PS_GeoTiffImage(dir.file("square.tif")));

    const std::vector<float> floats(304 * 448, 1.0f);
    ASSERT_TRUE(out.init_float(floats.data(), attr_of(304, 448), grid_info(31, 168, 34, 350)));
    EXPECT_FALSE(out.gen_L3PS_GeoTiffImage(dir.file("float.tif")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
