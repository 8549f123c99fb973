// Where vardane-cli --geotiff puts swath pixels, read back through each
// output's own geotransform: bands overwritten with latitude and longitude
// ramps show any shift; a marker lands in the pixel whose area holds it;
// neighbouring tiles meet in a mosaic; flag bands keep their codes.
#include <gtest/gtest.h>

#include <H5Cpp.h>
#include <gdal_utils.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>
#include <set>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "hdf5/synth_known_values.h"

namespace vardane {

using namespace integration;

namespace {

constexpr double kNodata = 65535;

// A float dataset of a product, times its "SCALE FACTOR" as the reader
// takes it.
std::vector<float> read_floats(const H5::H5File& file, const std::string& path)
{
    const H5::DataSet ds = file.openDataSet(path);
    std::vector<float> values(std::size_t(ds.getSpace().getSimpleExtentNpoints()));
    ds.read(values.data(), H5::PredType::NATIVE_FLOAT);
    if (ds.attrExists("SCALE FACTOR")) {
        float scale = 1.0f;
        ds.openAttribute("SCALE FACTOR").read(H5::PredType::NATIVE_FLOAT, &scale);
        for (float& v : values) v *= scale;
    }
    return values;
}

// Overwrites a 16-bit dataset whole with values made from its own indices.
void overwrite_u16(const H5::H5File& file, const std::string& path,
                   const std::function<std::uint16_t(std::size_t, std::size_t)>& value)
{
    const H5::DataSet ds = file.openDataSet(path);
    hsize_t dims[2] = {0, 0};
    ASSERT_EQ(ds.getSpace().getSimpleExtentDims(dims), 2);
    std::vector<std::uint16_t> values;
    for (hsize_t L = 0; L < dims[0]; ++L) {
        for (hsize_t P = 0; P < dims[1]; ++P) values.push_back(value(L, P));
    }
    ds.write(values.data(), H5::PredType::NATIVE_UINT16);
}

std::set<double> distinct_u16(const std::string& file, const std::string& path)
{
    const H5::H5File f(file, H5F_ACC_RDONLY);
    const H5::DataSet ds = f.openDataSet(path);
    std::vector<std::uint16_t> values(std::size_t(ds.getSpace().getSimpleExtentNpoints()));
    ds.read(values.data(), H5::PredType::NATIVE_UINT16);
    return {values.begin(), values.end()};
}

// A ramp band decoded back into degrees: degrees = origin + count / perDegree.
struct ramp {
    double origin;
    double perDegree;
    std::uint16_t count(double degrees) const { return std::uint16_t(std::lround((degrees - origin) * perDegree)); }
};

enum class axis { latitude, longitude };

// Mean and spread of (decoded ramp - ramp at the pixel centre) in pixels,
// over the pixels that pass `use` (lon, lat of the centre).
struct shift {
    double mean = 0;
    double rms = 0;
    int pixels = 0;
};

shift measure(const raster_file& tif, const ramp& r, axis a, const std::function<bool(double, double)>& use)
{
    const auto gt = *tif.geotransform();
    const auto band = tif.band(1);
    const double size = a == axis::latitude ? -gt[5] : gt[1];
    double sum = 0, squares = 0;
    int n = 0;
    for (int y = 0; y < tif.height(); ++y) {
        const double lat = gt[3] + (y + 0.5) * gt[5];
        for (int x = 0; x < tif.width(); ++x) {
            const double v = band[std::size_t(y) * std::size_t(tif.width()) + std::size_t(x)];
            const double lon = gt[0] + (x + 0.5) * gt[1];
            if (v == kNodata || !use(lon, lat)) continue;
            const double decoded = r.origin + v / r.perDegree;
            const double e = (decoded - (a == axis::latitude ? lat : lon)) / size;
            sum += e;
            squares += e * e;
            ++n;
        }
    }
    if (n == 0) return {};
    return {sum / n, std::sqrt(squares / n), n};
}

// Only the variables of `setting` whose index is listed are converted.
std::function<void(spconverter&)> only(SettingType setting, std::set<int> indices)
{
    return [setting, indices](spconverter& s) {
        for (const auto& key : s.get_key_list(setting)) {
            optSet_t entry;
            ASSERT_TRUE(s.get_OptSetting(setting, key, entry));
            entry.flag = indices.count(entry.index) > 0;
            ASSERT_TRUE(s.set_OptSetting(setting, key, entry));
        }
    };
}

std::string created_with(const std::vector<std::string>& files, const std::string& part)
{
    for (const auto& f : files) {
        if (f.find(part) != std::string::npos) return f;
    }
    ADD_FAILURE() << "no output named *" << part << "*";
    return {};
}

// Tile pixel (L, P) of a rows x columns tile (v, h), at its centre.
std::pair<double, double> tile_centre(int v, int h, double rows, double columns, double L, double P)
{
    const double lat = 90.0 - ((L + 0.5) / rows + v) * 10.0;
    const double lon = (((P + 0.5) / columns + h) * 10.0 - 180.0) / std::cos(lat * std::numbers::pi / 180.0);
    return {lon, lat};
}

} // namespace

// The 89 GHz A and B bands of an orbit overwritten with ramps of their own
// footprints' latitude and longitude (0.01 degree a count, ten to a pixel).
TEST(SwathPosition, RadiometerRampsComeBackWithoutShift)
{
    cli_scene scene;
    scene.settings(only(ST_GCOMW_L1AB, {12, 13, 14, 15}));
    const auto l1b = scene.product("AMSR2_L1B", "ramp.h5", {{"scans", "600"}});
    const ramp latRamp{-90.0, 100.0};
    const ramp lonRamp{-180.0, 100.0};
    {
        const H5::H5File f(l1b, H5F_ACC_RDWR);
        for (const char* horn : {"A", "B"}) {
            const auto lat = read_floats(f, std::string("Latitude of Observation Point for 89") + horn);
            const auto lon = read_floats(f, std::string("Longitude of Observation Point for 89") + horn);
            const std::size_t width = 486;
            ASSERT_EQ(lat.size() % width, 0u);
            overwrite_u16(f, std::string("Brightness Temperature (89.0GHz-") + horn + ",H)",
                          [&](std::size_t L, std::size_t P) { return latRamp.count(lat[L * width + P]); });
            overwrite_u16(f, std::string("Brightness Temperature (89.0GHz-") + horn + ",V)",
                          [&](std::size_t L, std::size_t P) { return lonRamp.count(lon[L * width + P]); });
        }
    }
    const auto r = scene.run({"--geotiff", l1b});
    ASSERT_EQ(r.status, 0) << r.out;
    const auto files = created(r.lines, "GeoTIFF");
    ASSERT_EQ(files.size(), 4u) << r.out;
    // Away from the poles and the date line, where a ramp has no jump.
    const auto use = [](double lon, double lat) { return std::abs(lat) < 60 && std::abs(lon) < 170; };
    for (const char* horn : {"A", "B"}) {
        SCOPED_TRACE(horn);
        const raster_file h(scene.out() / created_with(files, std::string("89.0GHz-") + horn + "_H"));
        const raster_file v(scene.out() / created_with(files, std::string("89.0GHz-") + horn + "_V"));
        ASSERT_TRUE(h.is_open() && v.is_open());
        const shift south = measure(h, latRamp, axis::latitude, use);
        const shift east = measure(v, lonRamp, axis::longitude, use);
        std::cout << "89" << horn << " shift in pixels: latitude " << south.mean << " (rms " << south.rms << ", "
                  << south.pixels << " pixels), longitude " << east.mean << " (rms " << east.rms << ", " << east.pixels
                  << " pixels)\n";
        EXPECT_GT(south.pixels, 5000);
        EXPECT_GT(east.pixels, 5000);
        EXPECT_LT(std::abs(south.mean), 0.1);
        EXPECT_LT(std::abs(east.mean), 0.1);
    }
}

// An LST tile overwritten with ramps of its pixels' latitude and longitude
// (ten counts to an output pixel of 1/480 degree, two across longitude).
TEST(SwathPosition, TileRampsComeBackWithoutShift)
{
    cli_scene scene;
    scene.settings(only(ST_GCOMC_LST, {0}));
    const int rows = 1200;
    const int columns = 1200;
    const ramp latRamp{30.0, 4800.0};
    const ramp lonRamp{127.0, 960.0};
    const std::pair<const char*, axis> files[] = {{"lat.h5", axis::latitude}, {"lon.h5", axis::longitude}};
    std::vector<std::string> inputs;
    for (const auto& [name, a] : files) {
        inputs.push_back(scene.product("SGLI_LST", name, {{"tile", "2905"}, {"size", "1200x1200"}}));
        const H5::H5File f(inputs.back(), H5F_ACC_RDWR);
        overwrite_u16(f, "/Image_data/LST", [&, a = a](std::size_t L, std::size_t P) {
            const auto [lon, lat] = tile_centre(5, 29, rows, columns, double(L), double(P));
            return a == axis::latitude ? latRamp.count(lat) : lonRamp.count(lon);
        });
    }
    std::vector<std::string> args{"--geotiff"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    const auto r = scene.run(args);
    ASSERT_EQ(r.status, 0) << r.out;
    const raster_file lat(scene.out() / "lat_LST.proj.tif");
    const raster_file lon(scene.out() / "lon_LST.proj.tif");
    ASSERT_TRUE(lat.is_open() && lon.is_open()) << r.out;
    const auto all = [](double, double) { return true; };
    const shift south = measure(lat, latRamp, axis::latitude, all);
    const shift east = measure(lon, lonRamp, axis::longitude, all);
    std::cout << "tile shift in pixels: latitude " << south.mean << " (rms " << south.rms << ", " << south.pixels
              << " pixels), longitude " << east.mean << " (rms " << east.rms << ", " << east.pixels << " pixels)\n";
    EXPECT_GT(south.pixels, 1000000);
    EXPECT_LT(std::abs(south.mean), 0.1);
    EXPECT_LT(std::abs(east.mean), 0.1);
}

// An IWPR scene whose CHLA holds the latitude and TSM the longitude of each
// pixel, taken bilinearly between the tie points every 10 lines and pixels
// (ten counts to an output pixel of about 0.002 degree, five across
// longitude).
TEST(SwathPosition, SceneRampsComeBackWithoutShift)
{
    cli_scene scene;
    scene.settings(only(ST_GCOMC_IWPR, {1, 2}));
    const auto iwpr = scene.product("SGLI_IWPR", "scene.h5", {{"size", "500x600"}});
    ramp latRamp{0, 5000.0};
    ramp lonRamp{0, 2500.0};
    {
        const H5::H5File f(iwpr, H5F_ACC_RDWR);
        const auto tieLat = read_floats(f, "/Geometry_data/Latitude");
        const auto tieLon = read_floats(f, "/Geometry_data/Longitude");
        hsize_t dims[2] = {0, 0};
        f.openDataSet("/Geometry_data/Latitude").getSpace().getSimpleExtentDims(dims);
        const std::size_t columns = dims[1];
        const auto at = [&](const std::vector<float>& tie, std::size_t L, std::size_t P) {
            const std::size_t i = L / 10, j = P / 10;
            const double a = static_cast<double>(L % 10) / 10.0, b = static_cast<double>(P % 10) / 10.0;
            const auto t = [&](std::size_t r, std::size_t c) { return double(tie[r * columns + c]); };
            return (1 - a) * ((1 - b) * t(i, j) + b * t(i, j + 1)) + a * ((1 - b) * t(i + 1, j) + b * t(i + 1, j + 1));
        };
        latRamp.origin = std::floor(*std::min_element(tieLat.begin(), tieLat.end()));
        lonRamp.origin = std::floor(*std::min_element(tieLon.begin(), tieLon.end()));
        overwrite_u16(f, "/Image_data/CHLA",
                      [&](std::size_t L, std::size_t P) { return latRamp.count(at(tieLat, L, P)); });
        overwrite_u16(f, "/Image_data/TSM",
                      [&](std::size_t L, std::size_t P) { return lonRamp.count(at(tieLon, L, P)); });
    }
    const auto r = scene.run({"--geotiff", iwpr});
    ASSERT_EQ(r.status, 0) << r.out;
    const raster_file lat(scene.out() / "scene_CHLA.proj.tif");
    const raster_file lon(scene.out() / "scene_TSM.proj.tif");
    ASSERT_TRUE(lat.is_open() && lon.is_open()) << r.out;
    const auto all = [](double, double) { return true; };
    const shift south = measure(lat, latRamp, axis::latitude, all);
    const shift east = measure(lon, lonRamp, axis::longitude, all);
    std::cout << "scene shift in pixels: latitude " << south.mean << " (rms " << south.rms << ", " << south.pixels
              << " pixels), longitude " << east.mean << " (rms " << east.rms << ", " << east.pixels << " pixels)\n";
    EXPECT_GT(south.pixels, 100000);
    EXPECT_LT(std::abs(south.mean), 0.1);
    EXPECT_LT(std::abs(east.mean), 0.1);
}

// Cloud flags of tiles 2905 and 3005 at 1/120 degree: the marker lands in
// the pixel whose area holds its place, the flags keep their codes, and the
// two windows mosaic without an empty pixel along the common edge.
TEST(SwathPosition, AdjacentTilesMeetAndKeepTheirCodes)
{
    cli_scene scene;
    scene.settings(only(ST_GCOMC_CLFG, {0}));
    const auto west = scene.product("SGLI_CLFG", "west.h5", {{"tile", "2905"}, {"size", "1200x1200"}});
    const auto east = scene.product("SGLI_CLFG", "east.h5", {{"tile", "3005"}, {"size", "1200x1200"}});
    const auto r = scene.run({"--geotiff", west, east});
    ASSERT_EQ(r.status, 0) << r.out;
    const auto westTif = (scene.out() / "west_Cloud_flag.proj.tif").string();
    const auto eastTif = (scene.out() / "east_Cloud_flag.proj.tif").string();
    const raster_file w(westTif);
    const raster_file e(eastTif);
    ASSERT_TRUE(w.is_open() && e.is_open()) << r.out;

    // Both windows on the one grid of exactly 1/480 degree.
    for (const raster_file* tif : {&w, &e}) {
        const auto gt = *tif->geotransform();
        EXPECT_EQ(gt[1], 1.0 / 480.0);
        EXPECT_EQ(gt[5], -1.0 / 480.0);
        EXPECT_EQ(gt[0], std::floor(gt[0]));
        EXPECT_EQ(gt[3], 40.0);
    }

    // The marker stamped into the tile pixel holding its place.
    EXPECT_EQ(w.at_lonlat(1, synth_known::kMarkerLon, synth_known::kMarkerLat), synth_known::kMarkerU16);

    // Codes only: every output value is a value of the input.
    for (const auto& [input, output] : {std::pair{west, &w}, std::pair{east, &e}}) {
        std::set<double> allowed = distinct_u16(input, "/Image_data/Cloud_flag");
        allowed.insert(kNodata);
        const auto band = output->band(1);
        const std::set<double> found(band.begin(), band.end());
        for (double v : found) EXPECT_TRUE(allowed.count(v)) << input << ": " << v << " is no code of the input";
    }

    // The mosaic, each window's empty pixels transparent.
    const auto vrtPath = (scene.out() / "mosaic.vrt").string();
    const char* sources[] = {westTif.c_str(), eastTif.c_str()};
    char* options[] = {const_cast<char*>("-srcnodata"), const_cast<char*>("65535"), nullptr};
    GDALBuildVRTOptions* vrtOptions = GDALBuildVRTOptionsNew(options, nullptr);
    ASSERT_NE(vrtOptions, nullptr);
    int failed = 0;
    GDALDatasetH vrt = GDALBuildVRT(vrtPath.c_str(), 2, nullptr, sources, vrtOptions, &failed);
    GDALBuildVRTOptionsFree(vrtOptions);
    ASSERT_NE(vrt, nullptr);
    ASSERT_EQ(failed, 0);
    GDALClose(vrt);
    const raster_file mosaic(vrtPath);
    ASSERT_TRUE(mosaic.is_open());
    const auto gt = *mosaic.geotransform();
    EXPECT_EQ(mosaic.height(), 4800);
    // Along every row the common edge lies at 120 / cos(lat): the pixels
    // from 5 west to 5 east of it are all filled.
    int empty = 0;
    for (int y = 0; y < mosaic.height(); ++y) {
        const double lat = gt[3] + (y + 0.5) * gt[5];
        const double edge = 120.0 / std::cos(lat * std::numbers::pi / 180.0);
        const int column = static_cast<int>(std::floor((edge - gt[0]) / gt[1]));
        const auto row = mosaic.rows(1, y, 1);
        for (int x = column - 5; x <= column + 5; ++x) empty += row[std::size_t(x)] == kNodata;
    }
    EXPECT_EQ(empty, 0) << "empty pixels along the common edge";
}

} // namespace vardane
