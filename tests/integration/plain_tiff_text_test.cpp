// TIFF+TEXT: plain TIFFs of the stored counts of a radiometer swath and the
// position-information file beside them; nothing at all for gridded products.
#include <gtest/gtest.h>

#include <set>
#include <cstdio>

#include "integration/cli_run_support.h"
#include "integration/h5_read_back.h"
#include "integration/read_back.h"

namespace vardane {

using namespace integration;

namespace {

// The sixteen channels of an L1B file, as output names ("10.7GHz_H").
std::vector<std::string> l1b_output_names()
{
    std::vector<std::string> names;
    for (const char* f : {"6.9GHz", "7.3GHz", "10.7GHz", "18.7GHz", "23.8GHz", "36.5GHz", "89.0GHz-A", "89.0GHz-B"}) {
        for (const char* p : {"H", "V"}) names.push_back(std::string(f) + "_" + p);
    }
    return names;
}

// "10.7GHz_H" -> "Brightness Temperature (10.7GHz,H)".
std::string dataset_of(const std::string& outputName)
{
    const auto cut = outputName.rfind('_');
    return "Brightness Temperature (" + outputName.substr(0, cut) + "," + outputName.substr(cut + 1) + ")";
}

// One corner of the geolocation, scaled as stored.
std::string corner_line(const char* label, const h5_grid& la, const h5_grid& lo, std::size_t r, std::size_t c)
{
    char text[128];
    std::snprintf(text, sizeof text, "\t%s:%.4f/%.4f\n", label, la.at(r, c) * la.scale, lo.at(r, c) * lo.scale);
    return text;
}

// The block the position file must hold for one TIFF, with the corners of
// the 89 GHz A-scan geolocation as stored in the file.
std::string expected_block(const std::string& input, const std::string& tif, const std::string& field)
{
    const h5_grid la = read_h5_grid(input, "Latitude of Observation Point for 89A");
    const h5_grid lo = read_h5_grid(input, "Longitude of Observation Point for 89A");
    if (la.values.empty() || lo.values.empty()) return "(no geolocation)";
    const std::size_t r = la.rows - 1;
    const std::size_t c = la.columns - 1;
    return "OUTPUT FILE:" + tif + "\n\tINPUT FILE:" + std::filesystem::path(input).filename().string()
           + "\n\tFIELD NAME:" + field + "\n" + corner_line("UL CORNER LAT/LON", la, lo, 0, 0)
           + corner_line("UR CORNER LAT/LON", la, lo, 0, c) + corner_line("LL CORNER LAT/LON", la, lo, r, 0)
           + corner_line("LR CORNER LAT/LON", la, lo, r, c);
}

class PlainTiffText : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(PlainTiffText, RadiometerSwathGivesRawCountsAndOneBlockPerTiff)
{
    cli_scene scene;
    const std::string kind = GetParam();
    const std::string input = scene.product(kind, "swath.h5");
    const auto r = scene.run({"--tiff-text", input});
    ASSERT_EQ(r.status, 0) << r.out;

    const auto tifs = created(r.lines, "TIFF");
    std::multiset<std::string> expectedNames;
    for (const auto& n : l1b_output_names()) expectedNames.insert("swath_" + n + ".tif");
    ASSERT_EQ(std::multiset<std::string>(tifs.begin(), tifs.end()), expectedNames) << r.out;
    EXPECT_EQ(created(r.lines, "Information"), std::vector<std::string>{"swath.txt"});

    std::string expectedText;
    for (const auto& tif : tifs) {
        const std::string dataset = dataset_of(tif.substr(6, tif.size() - 6 - 4)); // "swath_" X ".tif"
        expectedText += expected_block(input, tif, dataset);

        const h5_grid stored = read_h5_grid(input, dataset);
        ASSERT_FALSE(stored.values.empty()) << dataset;
        raster_file file(scene.out() / tif);
        ASSERT_TRUE(file.is_open()) << tif;
        EXPECT_EQ(file.bands(), 1) << tif;
        EXPECT_EQ(file.type(1), GDT_UInt16) << tif;
        EXPECT_FALSE(file.geotransform().has_value()) << tif << " is georeferenced";
        ASSERT_EQ(std::size_t(file.width()), stored.columns) << tif;
        ASSERT_EQ(std::size_t(file.height()), stored.rows) << tif;
        EXPECT_EQ(file.band(1), stored.values) << tif << " does not hold the stored counts";
    }
    EXPECT_EQ(read_text(scene.out() / "swath.txt"), expectedText);
}

INSTANTIATE_TEST_SUITE_P(L1B, PlainTiffText, ::testing::Values("AMSR2_L1B", "AMSRE_L1B"));

TEST(PlainTiffTextGridded, GriddedProductsGetNoTiffNoLineAndNoPositionFile)
{
    cli_scene scene;
    const auto gsmapBin = scene.product("GSMAP_BIN", "gsmap_grid.dat");
    const auto l3 = scene.product("AMSR2_L3_BT", "l3bt.h5");
    const auto r = scene.run({"--tiff-text", gsmapBin, l3});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(file_log(r, "gsmap_grid.dat"),
              (std::vector<std::string>{"'gsmap_grid.dat' is processing, now...  ", "It is GSMaP/Hourly-L3 Product.",
                                        kReading, kGenerating}));
    EXPECT_EQ(file_log(r, "l3bt.h5"),
              (std::vector<std::string>{"'l3bt.h5' is processing, now...  ", "It is GCOM-W/L3BT Product.", kReading,
                                        kGenerating, kReading, kGenerating}));
    EXPECT_TRUE(file_names(scene.out()).empty());
}

} // namespace vardane
