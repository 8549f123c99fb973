// Polar-stereographic GeoTIFFs end to end through vardane-cli --geotiff with
// a settings file whose projection lines ask for them: global grids
// reprojected, AMSR2 L3 polar grids written as they are, refusals logged.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include "hdf5/synth_known_values.h"
#include "integration/cli_run_support.h"
#include "integration/read_back.h"

using namespace integration;
namespace fs = std::filesystem;
namespace known = synth_known;

namespace {

// Puts a key-and-value projection line right after a section marker.
void add_projection_line(const std::string& settingsPath, const std::string& marker, int value)
{
    std::string text = read_text(settingsPath);
    const std::string line = marker + "\n";
    const auto at = text.find(line);
    ASSERT_NE(at, std::string::npos) << marker;
    text.insert(at + line.size(), "\tProjection: " + std::to_string(value) + "\n");
    std::ofstream(settingsPath, std::ios::binary | std::ios::trunc) << text;
}

bool ends_with(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The file's value at (lat, lon), through the CRS GDAL reads from it.
double value_at(const raster_file& file, const fs::path& path, double lat, double lon)
{
    GDALDatasetUniquePtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!ds || ds->GetSpatialRef() == nullptr) return -1;
    OGRSpatialReference target(*ds->GetSpatialRef());
    OGRSpatialReference geographic;
    geographic.CopyGeogCSFrom(&target);
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> ct(OGRCreateCoordinateTransformation(&geographic, &target));
    double x = lon;
    double y = lat;
    if (!ct || !ct->Transform(1, &x, &y)) return -1;
    return file.at_lonlat(1, x, y);
}

void expect_polar(const fs::path& path, bool north)
{
    GDALAllRegister();
    GDALDatasetUniquePtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    ASSERT_TRUE(ds) << path;
    const OGRSpatialReference* srs = ds->GetSpatialRef();
    ASSERT_NE(srs, nullptr) << path;
    EXPECT_STREQ(srs->GetAttrValue("PROJECTION"), "Polar_Stereographic") << path;
    const double origin = srs->GetProjParm(SRS_PP_LATITUDE_OF_ORIGIN);
    EXPECT_TRUE(north ? origin > 0 : origin < 0) << path << " latitude of origin " << origin;
}

} // namespace

TEST(PolarCli, ProjectionLinesChooseNorthSouthOrBothAndRefuseTheWrongHemisphere)
{
    cli_scene scene;
    const std::vector<std::string> inputs = {
        scene.product("GSMAP_HOURLY", "gsmap.h5"),
        scene.product("DPR_MONTHLY", "dpr.h5"),
        scene.product("AMSRE_L3_BT", "amsre.h5"),
        scene.product("AMSR2_L3_BT", "bt_north.h5", {{"grid", "nsidc_north_25km"}}),
        scene.product("AMSR2_L3_BT", "bt_south.h5", {{"grid", "nsidc_south_10km"}}),
        scene.product("AMSR2_L3_GD", "gd_south.h5", {{"grid", "nsidc_south_25km"}, {"geo", "SIC"}}),
        scene.product("AMSR2_L3_GD", "gd_snow.h5", {{"grid", "snow_north_25km"}, {"geo", "SND"}}),
    };
    const std::string settings = scene.settings([](spconverter& s) {
        ASSERT_TRUE(s.set_ProjectionSetting(ST_AMSRE_L3BT, TG_POLAR_SOUTH));
        ASSERT_TRUE(s.set_ProjectionSetting(ST_GCOMW_L3BT, TG_POLAR_BOTH));
        ASSERT_TRUE(s.set_ProjectionSetting(ST_GCOMW_L3GD, TG_POLAR_NORTH));
    });
    add_projection_line(settings, "#GSMap/HourlyL3", TG_POLAR_BOTH);
    add_projection_line(settings, "#DPR/MonthlyL3", TG_POLAR_NORTH);
    std::vector<std::string> args = {"--geotiff"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    const auto r = scene.run(args);

    struct expectation {
        const char* file;
        std::vector<const char*> suffixes; // of the created names, repeating per variable
        double markerLat;                  // 0: the marker is not checked
        double markerLon;
        double markerValue;
    };
    const expectation expected[] = {
        {"gsmap.h5", {"_N.tif", "_S.tif"}, 0, 0, 0},
        {"amsre.h5", {"_S.tif"}, 0, 0, 0},
        {"bt_north.h5", {"_N.tif"}, known::kMarkerNorthLat, known::kMarkerNorthLon, known::kMarkerU16},
        {"bt_south.h5", {"_S.tif"}, known::kMarkerSouthLat, known::kMarkerSouthLon, known::kMarkerU16},
        {"gd_snow.h5", {"_N.tif"}, known::kMarkerNorthLat, known::kMarkerNorthLon, known::kMarkerI16},
    };
    for (const expectation& e : expected) {
        SCOPED_TRACE(e.file);
        const auto names = created(file_log(r, e.file), "GeoTIFF");
        ASSERT_FALSE(names.empty()) << r.out << r.err;
        ASSERT_EQ(names.size() % e.suffixes.size(), 0u);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string& suffix = e.suffixes[i % e.suffixes.size()];
            ASSERT_TRUE(ends_with(names[i], suffix)) << names[i];
            expect_polar(scene.out() / names[i], suffix == "_N.tif");
            if (e.markerLat == 0) continue;
            raster_file tif(scene.out() / names[i]);
            EXPECT_EQ(value_at(tif, scene.out() / names[i], e.markerLat, e.markerLon), e.markerValue) << names[i];
        }
    }

    // DPR grids stop at 67 degrees: no polar view of them can be made.
    const auto dpr = file_log(r, "dpr.h5");
    EXPECT_TRUE(created(dpr, "GeoTIFF").empty());
    EXPECT_GT(std::count_if(dpr.begin(), dpr.end(), [](const std::string& l) {
                  return l.rfind("Fail in creating GeoTIFF file(dpr_", 0) == 0 && ends_with(l, "_N.tif).");
              }),
              0)
        << r.out;
    // A southern grid under a northern setting is skipped with its reason.
    const auto refused = file_log(r, "gd_south.h5");
    EXPECT_TRUE(created(refused, "GeoTIFF").empty());
    EXPECT_EQ(count_of(refused, "Projection-setting is NOT 'polar stereo (South)'.  Skipped."), 1u) << r.out;

    // The warps print nothing into the log: no progress, no messages.
    for (const std::string& line : r.lines) {
        EXPECT_EQ(line.find("..10..."), std::string::npos) << line;
        EXPECT_EQ(line.find("Creating output file"), std::string::npos) << line;
    }

    // Nothing but results reached the output folder, and no temporary is
    // left anywhere below it.
    for (const auto& entry : fs::recursive_directory_iterator(scene.out())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(ends_with(name, "_N.tif") || ends_with(name, "_S.tif")) << entry.path();
    }
}
