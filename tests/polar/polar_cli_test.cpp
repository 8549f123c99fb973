// Polar-stereographic GeoTIFFs end to end through vardane-cli --geotiff with
// projection lines in the settings file.
#include <algorithm>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include "hdf5/synth_known_values.h"
#include "integration/cli_run_support.h"
#include "integration/read_back.h"

namespace vardane {

using namespace integration;
namespace known = synth_known;

namespace {

// The value at (lat, lon), through the CRS GDAL reads from the file.
double value_at(const std::filesystem::path& path, double lat, double lon)
{
    GDALAllRegister();
    GDALDatasetUniquePtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!ds || !ds->GetSpatialRef() || !ds->GetSpatialRef()->IsProjected()) return -1;
    OGRSpatialReference file(*ds->GetSpatialRef()), geographic;
    geographic.CopyGeogCSFrom(&file);
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(&geographic, &file));
    double x = lon, y = lat;
    return ct && ct->Transform(1, &x, &y) ? raster_file(path).at_lonlat(1, x, y) : -1;
}

} // namespace

TEST(PolarCli, ProjectionLinesChooseTheHemispheresAndRefuseTheWrongOne)
// clang-format off
{
    cli_scene scene;
    std::vector<std::string> args = {"--geotiff",
        scene.product("GSMAP_HOURLY", "gsmap.h5"), scene.product("DPR_MONTHLY", "dpr.h5"),
        scene.product("AMSRE_L3_BT", "amsre.h5"),
        scene.product("AMSR2_L3_BT", "bt_n.h5", {{"grid", "nsidc_north_25km"}}),
        scene.product("AMSR2_L3_BT", "bt_s.h5", {{"grid", "nsidc_south_10km"}}),
        scene.product("AMSR2_L3_GD", "gd_s.h5", {{"grid", "nsidc_south_25km"}, {"geo", "SIC"}}),
        scene.product("AMSR2_L3_GD", "gd_n.h5", {{"grid", "snow_north_25km"}, {"geo", "SND"}})};
    const std::string settings = scene.settings([](spconverter& s) {
        s.set_ProjectionSetting(ST_AMSRE_L3BT, TG_POLAR_SOUTH);
        s.set_ProjectionSetting(ST_GCOMW_L3BT, TG_POLAR_BOTH);
        s.set_ProjectionSetting(ST_GCOMW_L3GD, TG_POLAR_NORTH);
    });
    // The GPM kinds take the key-and-value projection line under their marker.
    std::string text = read_text(settings);
    for (const char* marker : {"#GSMap/HourlyL3\n", "#DPR/MonthlyL3\n"}) {
        const auto at = text.find(marker);
        ASSERT_NE(at, std::string::npos);
        text.insert(at + std::strlen(marker), marker[1] == 'G' ? "\tProjection: 1\n" : "\tProjection: 2\n");
    }
    std::ofstream(settings, std::ios::trunc) << text;
    const auto r = scene.run(args);

    // File, created names (N, S or both per variable), marker checked where given.
    const std::tuple<const char*, std::vector<std::string>, double, double, double> expected[] = {
        {"gsmap.h5", {"gsmap_PRC_N.tif", "gsmap_PRC_S.tif"}, 0, 0, 0},
        {"amsre.h5", {"amsre_BT_H_S.tif", "amsre_BT_V_S.tif"}, 0, 0, 0},
        {"bt_n.h5", {"bt_n_BT_H_N.tif", "bt_n_BT_V_N.tif"}, known::kMarkerNorthLat, known::kMarkerNorthLon, known::kMarkerU16},
        {"bt_s.h5", {"bt_s_BT_H_S.tif", "bt_s_BT_V_S.tif"}, known::kMarkerSouthLat, known::kMarkerSouthLon, known::kMarkerU16},
        {"gd_s.h5", {}, 0, 0, 0},
        {"dpr.h5", {}, 0, 0, 0}};
    for (const auto& [file, names, lat, lon, value] : expected) {
        EXPECT_EQ(created(file_log(r, file), "GeoTIFF"), names) << r.out;
        for (const std::string& name : names) {
            if (lat != 0) {
                EXPECT_EQ(value_at(scene.out() / name, lat, lon), value) << name;
            }
            if (lat == 0) {
                EXPECT_NE(value_at(scene.out() / name, 80, 0), -1) << name; // projected, readable
            }
        }
    }
    const auto snow = created(file_log(r, "gd_n.h5"), "GeoTIFF");
    ASSERT_FALSE(snow.empty()) << r.out;
    EXPECT_EQ(value_at(scene.out() / snow[0], known::kMarkerNorthLat, known::kMarkerNorthLon), known::kMarkerI16);
    EXPECT_EQ(count_of(file_log(r, "gd_s.h5"), "Projection-setting is NOT 'polar stereo (South)'.  Skipped."), 1u);
    // DPR grids stop at 67 degrees: no polar view of them can be made.
    const auto dpr = file_log(r, "dpr.h5");
    EXPECT_TRUE(std::any_of(dpr.begin(), dpr.end(), [](const std::string& l) {
        return l.starts_with("Fail in creating GeoTIFF file(dpr_") && l.ends_with("_N.tif).");
    })) << r.out;
    // No warp progress in the log; nothing but results in the output folder.
    EXPECT_EQ(r.out.find("...10..."), std::string::npos);
    for (const auto& e : std::filesystem::recursive_directory_iterator(scene.out())) {
        EXPECT_TRUE(e.path().string().ends_with("_N.tif") || e.path().string().ends_with("_S.tif")) << e.path();
    }
}
// clang-format on

} // namespace vardane
