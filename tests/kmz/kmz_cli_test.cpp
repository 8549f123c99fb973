// KMZ end to end through vardane-cli on synthetic gridded products and a
// radiometer swath: the
// archive read back with libzip, its KML line by line and through an XML
// reader, its image through GDAL's /vsizip/, and the colours at the
// products' marker cells.
#include <gtest/gtest.h>

#include <H5Cpp.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "colour/clt_writer.h"
#include "hdf5/synth_known_values.h"
#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "kmz/kmz_read_back.h"
#include "util/string_utils.h"

namespace vardane {

using namespace integration;
using namespace kmz_test;
namespace fs = std::filesystem;

namespace {

struct overlay_case {
    const char* kind;
    test_support::synth_variants variants;
    const char* file;
    const char* kmz;              // first KMZ of the file
    const char* legend;           // the built-in table's legend picture
    std::vector<std::string> box; // north, south, east, west; none for a swath
    std::vector<int> markerColour;
};

// clang-format off
const std::vector<overlay_case> kOverlays = {
    // 77.25 mm/h lies above the 0 - 50 mm/h table: its highest colour.
    {"GSMAP_HOURLY", {}, "gsmap_h.h5", "gsmap_h_PRC.kmz", "gpm_gsmap_hour_l3.png",
     {"90.000000", "-90.000000", "180.000000", "-180.000000"}, {255, 0, 0, 255}},
    {"DPR_MONTHLY", {}, "dpr_m.h5", nullptr, "gpm_dpr_month_l3.png",
     {"67.000000", "-67.000000", "180.000000", "-180.000000"}, {255, 0, 0, 255}},
    // Snow depth marker far above 100 cm: the linear table's highest colour.
    {"AMSR2_L3_GD", {{"geo", "SND"}}, "l3gd.h5", "l3gd_SND.kmz", "amsr2_lx_snd.png",
     {"90.000000", "-90.000000", "360.000000", "0.000000"}, {175, 30, 0, 255}},
    // A radiometer swath is laid as a quadrilateral over its own box.
    {"AMSR2_L1B", {}, "l1b.h5", nullptr, "amsr2_l1b.png", {}, {}},
};
// clang-format on

// A number of the KML's box: north, south, east or west.
double box_value(const std::vector<std::string>& kml, const std::string& tag)
{
    for (const auto& l : kml) {
        if (l.find("<" + tag + ">") != std::string::npos) return std::stod(l.substr(l.find('>') + 1));
    }
    return std::nan("");
}

// The pixel that holds (lat, lon) in an image laid over the box of the KML.
std::vector<int> pixel_at(const image& img, const std::vector<std::string>& kml, double lat, double lon)
{
    const double north = box_value(kml, "north"), south = box_value(kml, "south");
    const double east = box_value(kml, "east"), west = box_value(kml, "west");
    const double l = lon < west ? lon + 360.0 : lon;
    const int col = int(std::floor((l - west) / (east - west) * img.width));
    const int row = int(std::floor((north - lat) / (north - south) * img.height));
    return img.pixel(col, row);
}

} // namespace

TEST(KmzCli, ProductsGiveOverlaysAndGcomcIsRefused)
{
    cli_scene scene;
    for (const auto& c : kOverlays) scene.product(c.kind, c.file, c.variants);
    scene.product("SGLI_SST", "sgli.h5");
    scene.settings([](spconverter& s) { // one swath channel only
        deselect_all(s, ST_GCOMW_L1AB);
        const std::string key = s.get_key_list(ST_GCOMW_L1AB).front();
        optSet_t e;
        ASSERT_TRUE(s.get_OptSetting(ST_GCOMW_L1AB, key, e));
        e.flag = true;
        ASSERT_TRUE(s.set_OptSetting(ST_GCOMW_L1AB, key, e));
    });
    const auto r = scene.run({"--kmz", scene.in().string()});
    ASSERT_EQ(r.status, 0) << r.out;

    const auto sgli = file_log(r, "sgli.h5");
    EXPECT_GT(count_of(sgli, "KMZ is NOT supporting GCOM-C Product."), 0u) << r.out;
    EXPECT_EQ(count_of(sgli, "KMZ is NOT supporting GCOM-C Product."), count_of(sgli, kGenerating));

    for (const auto& c : kOverlays) {
        SCOPED_TRACE(c.kind);
        const auto made = created(file_log(r, c.file), "KMZ");
        ASSERT_FALSE(made.empty()) << r.out;
        EXPECT_TRUE(!c.kmz || made.front() == c.kmz) << made.front();
        const fs::path kmz = scene.out() / made.front();
        const std::string base = basename(made.front());

        const auto z = unzip(kmz);
        ASSERT_TRUE(z.has_value());
        ASSERT_EQ(z->size(), 3u);
        EXPECT_EQ(z->count(c.legend), 1u);
        const auto kml = crlf_lines(z->at(base + ".kml"));
        std::vector<std::string> box = c.box;
        std::optional<std::string> quad;
        if (box.empty()) {
            // The quadrilateral of a north-up window is its box, from the
            // south-west corner anticlockwise.
            const double n = box_value(kml, "north"), s = box_value(kml, "south");
            const double e = box_value(kml, "east"), w = box_value(kml, "west");
            for (const double v : {n, s, e, w}) box.push_back(std::to_string(v));
            char line[160];
            std::snprintf(line, sizeof line, "\t\t%.2f,%.2f,0.0  %.2f,%.2f,0.0  %.2f,%.2f,0.0  %.2f,%.2f,0.0", w, s, e,
                          s, e, n, w, n);
            quad = line;
        }
        EXPECT_EQ(kml, expected_kml(base, c.legend, box, quad));
        const auto hrefs = xml_texts(z->at(base + ".kml"), "href");
        ASSERT_TRUE(hrefs.has_value()) << "not well-formed XML; the gx prefix must be declared";
        EXPECT_EQ(*hrefs, (std::vector<std::string>{base + ".tiff", c.legend}));

        const auto img = read_image(kmz, base + ".tiff");
        ASSERT_TRUE(img.has_value());
        EXPECT_EQ(img->bands, 4);
        if (!c.markerColour.empty()) {
            EXPECT_EQ(pixel_at(*img, kml, synth_known::kMarkerLat, synth_known::kMarkerLon), c.markerColour);
        }
    }
}

namespace {

// vardane-cli copied where no data folder lies beside it, so that tables
// made for the user go to $XDG_DATA_HOME/vardane/clt; its log lines.
std::vector<std::string> run_copied_cli(const fs::path& exe, const fs::path& xdg, const std::vector<std::string>& args)
{
    std::string command = "XDG_DATA_HOME='" + xdg.string() + "' '" + exe.string() + "'";
    for (const auto& a : args) command += " '" + a + "'";
    const fs::path log = exe.parent_path() / "run.log";
    command += " > '" + log.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << read_text(log);
    return cli_test::split_lines(read_text(log));
}

} // namespace

TEST(KmzCli, CustomColourBarWithoutTableIsMadeInTheUserFolder)
{
    cli_scene scene;
    scene.product("GSMAP_HOURLY", "gsmap_h.h5");
    std::string key;
    const std::string settings = scene.settings([&](spconverter& s) {
        key = s.get_key_list(ST_GSMAP_HOURLY).front();
        optSet_t e;
        ASSERT_TRUE(s.get_OptSetting(ST_GSMAP_HOURLY, key, e));
        e.custom_colorbar = true;
        e.cb_min = 0;
        e.cb_max = 100;
        e.cb_log = false;
        e.invalid_values = "77.25"; // the marker
        ASSERT_TRUE(s.set_CbOptSetting(ST_GSMAP_HOURLY, key, e));
    });
    const fs::path bin = scene.in().parent_path() / "bin";
    const fs::path xdg = scene.in().parent_path() / "xdg";
    fs::create_directories(bin);
    fs::copy_file(cli_test::cli_path(), bin / "vardane-cli");
    const std::string table = "custom_gpm_gsmap_hour_l3_" + normalize(key);
    const fs::path user = xdg / "vardane" / "clt";
    const std::vector<std::string> args = {"-o",    scene.out().string(), "--settings", settings,
                                           "--kmz", scene.in().string()};

    // No legend background beside this copy: the table is made and used,
    // the legend is left out, and the run says why once.
    const auto first = run_copied_cli(bin / "vardane-cli", xdg, args);
    EXPECT_EQ(read_text(user / (table + ".clt")), clt_text(0, 100, "Linear"));
    EXPECT_EQ(count_of(first, "cannot open file: " + (bin / "clt" / "colorbar_base10.png").string()), 1u);
    const fs::path kmz = scene.out() / "gsmap_h_PRC.kmz";
    const auto z = unzip(kmz);
    ASSERT_TRUE(z.has_value());
    EXPECT_EQ(z->size(), 2u);
    const auto kml = crlf_lines(z->at("gsmap_h_PRC.kml"));
    auto img = read_image(kmz, "gsmap_h_PRC.tiff");
    ASSERT_TRUE(img.has_value());
    const double lat = synth_known::kMarkerLat, lon = synth_known::kMarkerLon;
    EXPECT_EQ(pixel_at(*img, kml, lat, lon), (std::vector<int>{0, 0, 0, 0})); // invalid: transparent

    // A table that exists is used as it is, with its legend.
    std::ofstream(user / (table + ".clt")) << "VAL = 0\tCOLOR = 1,2,3\nVAL = 1000\tCOLOR = 4,5,6,7\n";
    std::ofstream(user / (table + ".png")) << "legend";
    const auto second = run_copied_cli(bin / "vardane-cli", xdg, args);
    EXPECT_EQ(count_of(second, "KMZ file(gsmap_h_PRC.kmz) is created."), 1u);
    EXPECT_EQ(unzip(kmz)->at(table + ".png"), "legend");
    img = read_image(kmz, "gsmap_h_PRC.tiff");
    ASSERT_TRUE(img.has_value());
    EXPECT_EQ(pixel_at(*img, kml, lat - 10, lon), (std::vector<int>{4, 5, 6, 7}));
}

namespace {

// Marks every 7th cell of a 16-bit dataset with `code` and returns the
// dataset's cells in storage order (first layer of a layered dataset).
std::vector<std::int32_t> mark_cells(const std::string& file, const std::string& dataset, std::int32_t code)
{
    H5::H5File f(file, H5F_ACC_RDWR);
    H5::DataSet ds = f.openDataSet(dataset);
    const H5::DataSpace space = ds.getSpace();
    std::vector<hsize_t> dims(std::size_t(space.getSimpleExtentNdims()));
    space.getSimpleExtentDims(dims.data());
    std::size_t count = 1;
    for (const auto d : dims) count *= std::size_t(d);
    std::vector<std::int32_t> cells(count);
    ds.read(cells.data(), H5::PredType::NATIVE_INT32);
    for (std::size_t i = 0; i < count; i += 7) cells[i] = code;
    ds.write(cells.data(), H5::PredType::NATIVE_INT32);
    const std::size_t layers = dims.size() == 3 ? std::size_t(dims[2]) : 1;
    std::vector<std::int32_t> first;
    for (std::size_t i = 0; i < count; i += layers) first.push_back(cells[i]);
    return first;
}

} // namespace

// The products' own no-value codes are not data: an L3 overlay leaves them
// transparent whatever the colour table would give them.
TEST(KmzCli, ProductFillValuesAreTransparent)
{
    cli_scene scene;
    struct grid_case {
        const char* kind;
        const char* file;
        const char* dataset;
        std::int32_t code; // written over every 7th cell beside the file's own fills
        std::vector<std::int32_t> fills;
    };
    const grid_case cases[] = {
        {"AMSR2_L3_GD", "gd.h5", "Geophysical Data", -32767, {-32768, -32767}},
        {"AMSR2_L3_BT", "bt.h5", "Brightness Temperature (H)", 65534, {65535, 65534}},
    };
    std::vector<std::vector<std::int32_t>> stored;
    for (const auto& c : cases) {
        stored.push_back(mark_cells(scene.product(c.kind, c.file, {{"geo", "SND"}}), c.dataset, c.code));
    }
    const auto r = scene.run({"--kmz", scene.in().string()});
    ASSERT_EQ(r.status, 0) << r.out;

    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const auto& c = cases[k];
        SCOPED_TRACE(c.kind);
        const auto made = created(file_log(r, c.file), "KMZ");
        ASSERT_FALSE(made.empty()) << r.out;
        const auto img = read_image(scene.out() / made.front(), basename(made.front()) + ".tiff");
        ASSERT_TRUE(img.has_value());
        ASSERT_EQ(std::size_t(img->width) * std::size_t(img->height), stored[k].size());
        std::size_t fills = 0, paintedFills = 0, paintedValues = 0;
        for (std::size_t i = 0; i < stored[k].size(); ++i) {
            const bool fill = std::find(c.fills.begin(), c.fills.end(), stored[k][i]) != c.fills.end();
            const bool painted = img->planes[3][i] != 0;
            fills += fill;
            paintedFills += fill && painted;
            paintedValues += !fill && painted;
        }
        EXPECT_GT(fills, stored[k].size() / 7);
        EXPECT_EQ(paintedFills, 0u);
        EXPECT_GT(paintedValues, 0u);
    }
}

} // namespace vardane
