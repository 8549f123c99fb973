// Which variables a run converts, with the built-in settings and with a
// settings file: the candidates of the geophysical products in their order,
// and a product whose variables are all switched off.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "hdf5/synth_known_values.h"

namespace vardane {

using namespace integration;
namespace known = synth_known;

namespace {

// The log of one file that converts to the given GeoTIFFs.
std::vector<std::string> converted(const std::string& file, const std::string& announced,
                                   const std::vector<std::string>& tifs)
{
    std::vector<std::string> lines{"'" + file + "' is processing, now...  ", announced};
    for (const auto& t : tifs) {
        lines.push_back(kReading);
        lines.push_back(kGenerating);
        lines.push_back("GeoTIFF file(" + t + ") is created.");
    }
    return lines;
}

} // namespace

TEST(SettingsSelection, TwoLayerGeophysicalGridsConvertTheirNameThenTheSecondCandidate)
{
    cli_scene scene;
    const auto snd = scene.product("AMSR2_L3_GD", "snd.h5", {{"geo", "SND"}, {"layers", "2"}});
    const auto sst = scene.product("AMSRE_L3_GD", "sst.h5", {{"geo", "SST"}, {"layers", "2"}});
    // A one-layer grid tries only the geophysical name.
    const auto sst1 = scene.product("AMSR2_L3_GD", "sst1.h5", {{"geo", "SST"}, {"layers", "1"}});
    const auto r = scene.run({snd, sst, sst1});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(file_log(r, "snd.h5"),
              converted("snd.h5", "It is GCOM-W/L3GD(SND) Product.", {"snd_SND.tif", "snd_SND_SWE.tif"}));
    EXPECT_EQ(file_log(r, "sst.h5"),
              converted("sst.h5", "It is AMSR-E/L3GD(SST) Product.", {"sst_SST_STD.tif", "sst_SST_RSR.tif"}));
    EXPECT_EQ(file_log(r, "sst1.h5"), converted("sst1.h5", "It is GCOM-W/L3GD(SST) Product.", {"sst1_SST_STD.tif"}));

    // Layer k of the file went to the k-th output: the stored cell next to
    // the origin carries the tag 1000 + k. The AMSR2 grid is written from
    // -180 degrees, the AMSR-E grid as stored (from 0 degrees).
    const std::tuple<const char*, int, int> outputs[] = {
        {"snd_SND.tif", 0, 720}, {"snd_SND_SWE.tif", 1, 720}, {"sst_SST_STD.tif", 0, 0}, {"sst_SST_RSR.tif", 1, 0}};
    for (const auto& [name, layer, originColumn] : outputs) {
        raster_file tif(scene.out() / name);
        ASSERT_TRUE(tif.is_open()) << name;
        EXPECT_EQ(tif.type(1), GDT_Int16) << name;
        EXPECT_EQ(tif.at(1, originColumn, 0), known::kOriginI16) << name;
        EXPECT_EQ(tif.at(1, originColumn + 1, 0), known::kTagBase + layer) << name;
        EXPECT_EQ(tif.at_lonlat(1, known::kMarkerLon, known::kMarkerLat), known::kMarkerI16) << name;
    }
}

TEST(SettingsSelection, SettingsFileChoosesAmongTheCandidates)
{
    cli_scene scene;
    scene.settings([](spconverter& s) {
        optSet_t entry;
        ASSERT_TRUE(s.get_OptSet_AMSR_L3GD(AT_AMSR2, "SND", entry));
        entry.flag = false;
        ASSERT_TRUE(s.set_OptSet_AMSR_L3GD(AT_AMSR2, "SND", entry));
        ASSERT_TRUE(s.get_OptSet_AMSR_L3GD(AT_AMSR2, "SWE", entry));
        entry.name = "SnowWater";
        ASSERT_TRUE(s.set_OptSet_AMSR_L3GD(AT_AMSR2, "SWE", entry));
    });
    const auto snd = scene.product("AMSR2_L3_GD", "snd.h5", {{"geo", "SND"}, {"layers", "2"}});
    const auto r = scene.run({snd});
    EXPECT_EQ(file_log(r, "snd.h5"), converted("snd.h5", "It is GCOM-W/L3GD(SND) Product.", {"snd_SnowWater.tif"}));
    raster_file tif(scene.out() / "snd_SnowWater.tif");
    ASSERT_TRUE(tif.is_open());
    EXPECT_EQ(tif.at(1, 721, 0), known::kTagBase + 1);
}

TEST(SettingsSelection, RadiometerWithEveryVariableSwitchedOffIsNotSelected)
{
    cli_scene scene;
    scene.settings([](spconverter& s) { deselect_all(s, ST_GCOMW_L1AB); });
    const auto amsr2 = scene.product("AMSR2_L1B", "amsr2.h5");
    const auto amsre = scene.product("AMSRE_L1B", "amsre.h5");
    const auto r = scene.run({"--tiff-text", amsr2, amsre});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(file_log(r, "amsr2.h5"), (std::vector<std::string>{"'amsr2.h5' is processing, now...  ",
                                                                 "It is GCOM-W/L1B Product.", kNotSelected}));
    // The AMSR-E option set is a set of its own and stays selected.
    const auto amsreLog = file_log(r, "amsre.h5");
    EXPECT_EQ(count_of(amsreLog, kNotSelected), 0u);
    EXPECT_EQ(created(amsreLog, "TIFF").size(), 16u) << r.out;
    for (const auto& name : file_names(scene.out())) EXPECT_NE(name.rfind("amsr2", 0), 0u) << name;
}

} // namespace vardane
