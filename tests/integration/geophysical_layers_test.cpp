// Geophysical products whose "Geophysical Data" holds more than one layer:
// the second layer is converted under its own key (SND gives SWE, SST gives
// SST10GHz), from the layer it names, for swaths and grids alike; layers
// without a key of their own are not offered.
#include <gtest/gtest.h>

#include <algorithm>

#include "integration/cli_run_support.h"
#include "integration/h5_read_back.h"
#include "integration/read_back.h"
#include "kmz/kmz_read_back.h"

namespace vardane {

using namespace integration;

namespace {

const std::string kGeophysical = "Geophysical Data";

std::vector<double> sorted(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

// A raster read back holds exactly the stored counts of one layer: in the
// same order for a plain swath TIFF, as the same multiset for a grid that
// the writer turned to start at -180.
void expect_layer(const std::filesystem::path& tiff, const h5_grid& layer, bool sameOrder)
{
    SCOPED_TRACE(tiff.filename().string());
    const raster_file file(tiff);
    ASSERT_TRUE(file.is_open());
    ASSERT_EQ(std::size_t(file.width()), layer.columns);
    ASSERT_EQ(std::size_t(file.height()), layer.rows);
    const auto band = file.band(1);
    if (sameOrder) {
        EXPECT_EQ(band, layer.values);
    } else {
        EXPECT_EQ(sorted(band), sorted(layer.values));
    }
}

// The KMZ holds a colour image with painted pixels.
void expect_painted_kmz(const std::filesystem::path& kmz)
{
    SCOPED_TRACE(kmz.filename().string());
    const auto entries = kmz_test::unzip(kmz);
    ASSERT_TRUE(entries.has_value());
    const std::string image = kmz.stem().string() + ".tiff";
    const auto picture = kmz_test::read_image(kmz, image);
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->planes.size(), 4u);
    const auto& alpha = picture->planes[3];
    EXPECT_GT(std::count_if(alpha.begin(), alpha.end(), [](std::uint8_t a) { return a > 0; }), 0);
}

} // namespace

TEST(GeophysicalLayers, SwathSecondLayerReachesEveryOutputFromLayerOne)
{
    cli_scene scene;
    const auto snd = scene.product("AMSR2_L2_LOW", "snd.h5", {{"geo", "SND"}, {"layers", "2"}});
    // Real SST granules: three layers, chunked and compressed.
    const auto sst = scene.product("AMSR2_L2_LOW", "sst.h5", {{"geo", "SST"}}, synth_layout::real);
    const auto r = scene.run({"--geotiff", "--kmz", "--tiff-text", snd, sst});
    ASSERT_EQ(r.status, 0) << r.out << r.err;

    struct expected {
        std::string input;
        std::string firstBase;
        std::string secondBase;
    };
    for (const auto& e : {expected{snd, "snd_SND", "snd_SND_SWE"}, expected{sst, "sst_SST_STD", "sst_SST_RSR"}}) {
        SCOPED_TRACE(e.input);
        const auto first = read_h5_layer(e.input, kGeophysical, 0);
        const auto second = read_h5_layer(e.input, kGeophysical, 1);
        ASSERT_FALSE(second.values.empty());
        ASSERT_NE(first.values, second.values);
        expect_layer(scene.out() / (e.firstBase + ".tif"), first, true);
        expect_layer(scene.out() / (e.secondBase + ".tif"), second, true);

        // The regridded window blends the second layer: placed where the
        // first layer's window is, but not its values.
        const raster_file window(scene.out() / (e.secondBase + ".proj.tif"));
        const raster_file firstWindow(scene.out() / (e.firstBase + ".proj.tif"));
        ASSERT_TRUE(window.is_open() && firstWindow.is_open());
        const auto values = window.band(1);
        const auto firstValues = firstWindow.band(1);
        ASSERT_EQ(values.size(), firstValues.size());
        EXPECT_GT(std::count_if(values.begin(), values.end(), [](double v) { return v != -32768.0; }), 0);
        EXPECT_NE(values, firstValues);
        expect_painted_kmz(scene.out() / (e.secondBase + ".kmz"));
    }
    // The third SST layer has no key: three layers give two variables.
    EXPECT_FALSE(std::filesystem::exists(scene.out() / "sst_SST_2.tif"));
    EXPECT_EQ(created(file_log(r, "sst.h5"), "TIFF").size(), 2u);
}

TEST(GeophysicalLayers, GridSecondOfThreeLayersIsConvertedAndOneLayerOffersOne)
{
    cli_scene scene;
    const auto three = scene.product("AMSR2_L3_GD", "three.h5", {{"geo", "SST"}, {"layers", "3"}});
    const auto one = scene.product("AMSR2_L2_LOW", "one.h5", {{"geo", "SND"}, {"layers", "1"}});
    const auto r = scene.run({"--geotiff", three, one});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(count_of(r.lines, kReadFailed), 0u);

    expect_layer(scene.out() / "three_SST_RSR.tif", read_h5_layer(three, kGeophysical, 1), false);
    expect_layer(scene.out() / "three_SST_STD.tif", read_h5_layer(three, kGeophysical, 0), false);
    // A one-layer snow file has no SWE to give, and does not try.
    EXPECT_EQ(created(file_log(r, "one.h5"), "GeoTIFF"), std::vector<std::string>{"one_SND.proj.tif"});
}

TEST(GeophysicalLayers, HeaderlessGobiImageConvertsItsOneParameterWithoutFailures)
{
    cli_scene scene;
    const auto gobi = scene.product("JASMES_RAW", "gobi.dat", {{"grid", "gobi"}});
    const auto r = scene.run({"--geotiff", gobi});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(count_of(r.lines, kReadFailed), 0u) << r.out;
    EXPECT_EQ(created(file_log(r, "gobi.dat"), "GeoTIFF"), std::vector<std::string>{"gobi_rcr.tif"});
}

} // namespace vardane
