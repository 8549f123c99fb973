// --polar-grid through vardane-cli: global latitude/longitude grids (a float
// GSMaP grid, a 16-bit radiometer grid) warped onto the published polar
// grids and the native one, read back with GDAL and PROJ.
#include <gtest/gtest.h>

#include <cpl_conv.h>
#include <gdal_utils.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "output/polar/polar_target_grids.h"

namespace vardane {

using namespace integration;

namespace {

namespace fs = std::filesystem;

// A GSMaP hourly grid, a radiometer L3 grid on latitude/longitude and one on
// the radiometer's own north polar grid, converted with `--polar-grid grid`.
struct polar_run {
    cli_scene scene;
    cli_test::process_result result;
};

std::unique_ptr<polar_run> run_polar(const std::string& grid, const std::vector<std::string>& options = {},
                                     const std::function<void(spconverter&)>& settings = {})
{
    auto run = std::make_unique<polar_run>();
    if (settings) run->scene.settings(settings);
    std::vector<std::string> args{"--geotiff", "--polar-grid", grid};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(run->scene.product("GSMAP_HOURLY", "gsmap.h5"));
    args.push_back(run->scene.product("AMSR2_L3_BT", "bt.h5"));
    args.push_back(run->scene.product("AMSR2_L3_BT", "nsidc.h5", {{"grid", "nsidc_north_25km"}}));
    run->result = run->scene.run(args);
    return run;
}

// The EPSG system as registered, deprecated codes included (GDAL would
// otherwise hand out EPSG:3413 for EPSG:3411).
OGRSpatialReference registered(int epsg)
{
    const CPLConfigOptionSetter asRegistered("OSR_USE_NON_DEPRECATED", "NO", false);
    OGRSpatialReference srs;
    EXPECT_EQ(srs.importFromEPSG(epsg), OGRERR_NONE);
    return srs;
}

OGRSpatialReference system_of(const raster_file& file)
{
    OGRSpatialReference srs;
    EXPECT_EQ(srs.importFromWkt(file.projection().c_str()), OGRERR_NONE) << file.projection();
    return srs;
}

void expect_same_system(const OGRSpatialReference& a, const OGRSpatialReference& b)
{
    EXPECT_TRUE(a.IsSame(&b));
    EXPECT_DOUBLE_EQ(a.GetSemiMajor(), b.GetSemiMajor());
    EXPECT_DOUBLE_EQ(a.GetInvFlattening(), b.GetInvFlattening());
}

class PublishedPolarGrids : public ::testing::TestWithParam<polar_grid> {};

TEST_P(PublishedPolarGrids, EveryHemisphereIsExactlyThePublishedGridWithItsSystemAndNodata)
{
    const std::string name(polar_grid_name(GetParam()));
    const auto run = run_polar(name);
    ASSERT_EQ(run->result.status, 0) << run->result.out;
    for (const char* stem : {"gsmap_PRC", "bt_BT_H"}) {
        for (const bool north : {true, false}) {
            const fs::path path = run->scene.out() / (std::string(stem) + (north ? "_N.tif" : "_S.tif"));
            const raster_file file(path);
            ASSERT_TRUE(file.is_open()) << path;
            const polar_target_grid g = *published_polar_grid(GetParam(), north);
            EXPECT_EQ(file.width(), g.width);
            EXPECT_EQ(file.height(), g.height);
            const std::array<double, 6> gt{g.left, g.pixelSize, 0.0, g.top, 0.0, -g.pixelSize};
            EXPECT_EQ(file.geotransform(), gt) << path;
            expect_same_system(system_of(file), registered(g.epsg));
            EXPECT_TRUE(file.nodata(1).has_value()) << path;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, PublishedPolarGrids,
                         ::testing::Values(polar_grid::nsidc_25km, polar_grid::nsidc_12_5km, polar_grid::ease2_25km),
                         [](const auto& info) {
                             std::string n(polar_grid_name(info.param));
                             std::replace_if(
                                 n.begin(), n.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return n;
                         });

// Latitude/longitude grids keep their file and gain both hemispheres; a
// projection setting that names one hemisphere gives that one alone.
TEST(PolarGrid, TheNsidcGridStacksOnTheRadiometersOwnPolarGrid)
{
    const auto run = run_polar("nsidc-25km", {"--geotiff-profile", "cog"}, [](spconverter& s) {
        TiffGenType north = TG_POLAR_NORTH;
        ASSERT_TRUE(s.set_ProjectionSetting(ST_GCOMW_L3BT, north));
    });
    ASSERT_EQ(run->result.status, 0) << run->result.out;
    const auto names = file_names(run->scene.out());
    for (const char* name : {"gsmap_PRC.tif", "gsmap_PRC_N.tif", "gsmap_PRC_S.tif", "bt_BT_H_N.tif"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    }
    for (const char* name : {"bt_BT_H.tif", "bt_BT_H_S.tif"}) {
        EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end()) << name;
    }
    const raster_file warped(run->scene.out() / "bt_BT_H_N.tif");
    const raster_file native(run->scene.out() / "nsidc_BT_H_N.tif");
    ASSERT_TRUE(warped.is_open() && native.is_open());
    EXPECT_EQ(warped.width(), native.width());
    EXPECT_EQ(warped.height(), native.height());
    EXPECT_EQ(warped.geotransform(), native.geotransform());
    expect_same_system(system_of(warped), system_of(native));
}

// Each pixel of the native grid that has a value lies within the values of
// the source cells around (two cells either way: the warper approximates
// positions to within a fraction of a pixel) the place PROJ maps its centre
// back to: a
// misplaced warp (a wrong turn at the date line, a flipped axis, a wrong
// pixel size) takes values from elsewhere on a field that varies.
TEST(PolarGrid, NativePixelsTakeTheirValuesFromTheSourceCellsBeneathThem)
{
    const auto polar = run_polar("native");
    ASSERT_EQ(polar->result.status, 0) << polar->result.out;
    const raster_file source(polar->scene.out() / "bt_BT_H.tif");
    ASSERT_TRUE(source.is_open());
    const auto sgt = *source.geotransform();

    for (const bool north : {true, false}) {
        const raster_file out(polar->scene.out() / (north ? "bt_BT_H_N.tif" : "bt_BT_H_S.tif"));
        ASSERT_TRUE(out.is_open());
        const auto gt = *out.geotransform();
        // Pixels as long as a source row step at the pole; the disk reaches
        // the equator.
        EXPECT_NEAR(gt[1], std::abs(sgt[5]) * M_PI / 180.0 * 6399593.6258, 1e-6);
        EXPECT_GT(-gt[0], 12.7e6);
        OGRSpatialReference target = system_of(out);
        OGRSpatialReference wgs84;
        wgs84.SetWellKnownGeogCS("WGS84");
        target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        const std::unique_ptr<OGRCoordinateTransformation> back(OGRCreateCoordinateTransformation(&target, &wgs84));
        ASSERT_TRUE(back);
        const double nodata = *out.nodata(1);
        const auto values = out.band(1);
        std::size_t checked = 0;
        std::size_t outside = 0;
        for (int r = 3; r < out.height(); r += 7) {
            for (int c = 3; c < out.width(); c += 7) {
                const double v = values[std::size_t(r) * std::size_t(out.width()) + std::size_t(c)];
                if (v == nodata) continue;
                double x = gt[0] + (c + 0.5) * gt[1];
                double y = gt[3] + (r + 0.5) * gt[5];
                ASSERT_TRUE(back->Transform(1, &x, &y));
                const int sc = int(std::floor((x - sgt[0]) / sgt[1]));
                const int sr = int(std::floor((y - sgt[3]) / sgt[5]));
                double low = INFINITY;
                double high = -INFINITY;
                for (int dr = -2; dr <= 2; ++dr) {
                    for (int dc = -2; dc <= 2; ++dc) {
                        const int rr = std::clamp(sr + dr, 0, source.height() - 1);
                        const int cc = (sc + dc + source.width()) % source.width();
                        const double s = source.at(1, cc, rr);
                        if (s == nodata) continue;
                        low = std::min(low, s);
                        high = std::max(high, s);
                    }
                }
                ++checked;
                if (v < low - 1.0 || v > high + 1.0) {
                    ++outside;
                    ADD_FAILURE() << "pixel " << c << "," << r << " = " << v << " at " << x << "," << y << " beside "
                                  << low << ".." << high;
                }
            }
        }
        EXPECT_GT(checked, 1000u);
        EXPECT_EQ(outside, 0u) << (north ? "north" : "south");
    }
}

TEST(PolarGrid, AnUnknownGridIsAUsageError)
{
    cli_scene scene;
    const auto r = scene.run({"--polar-grid", "lambert", scene.product("GSMAP_HOURLY", "g.h5")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--polar-grid needs"), std::string::npos) << r.err;
}

} // namespace

} // namespace vardane
