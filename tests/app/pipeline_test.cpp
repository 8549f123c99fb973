// The per-file pipeline on real files: what is logged and written for the
// output kinds ticked and the options chosen.
#include <algorithm>
#include <filesystem>

#include "driver_test_support.h"

namespace fs = std::filesystem;
using namespace driver_test;

namespace {

const std::string kStart = "-- Converting Start -------";
const std::string kCompleted = "Completed.";
const std::string kGsmapLine = "It is GSMaP/Hourly-L3 Product.";

bool logged(const driver_rig& rig, const std::string& line)
{
    return std::find(rig.sink.lines.begin(), rig.sink.lines.end(), line) != rig.sink.lines.end();
}

} // namespace

TEST(Pipeline, NoSelectedVariableSkipsTheFileIncludingItsNetcdfStep)
{
    driver_rig rig;
    optSet_t off;
    ASSERT_TRUE(rig.settings.get_OptSetting(ST_GSMAP_HOURLY, "PercipRate", off));
    off.flag = false;
    ASSERT_TRUE(rig.settings.set_OptSetting(ST_GSMAP_HOURLY, "PercipRate", off));
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    ASSERT_TRUE(rig.run({a}, kinds(true, true, true, true)));
    EXPECT_EQ(rig.sink.lines, (std::vector<std::string>{kStart, "'gsmap_a.dat' is processing, now...  ", kGsmapLine,
                                                        "Converting variables  are Not Selected.", kCompleted}));
}

TEST(Pipeline, OnlyNetcdfReadsNoVariableAndRefusesAGriddedPrecipitationFile)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    ASSERT_TRUE(rig.run({a}, kinds(false, false, false, true)));
    EXPECT_EQ(rig.sink.lines, (std::vector<std::string>{kStart, "'gsmap_a.dat' is processing, now...  ", kGsmapLine,
                                                        "NetCDF unsupported.", kCompleted}));
}

TEST(Pipeline, TiffTextOnAGriddedProductWritesNothingAndSaysNothing)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    ASSERT_TRUE(rig.run({a}, kinds(false, false, true, false)));
    EXPECT_EQ(rig.sink.lines,
              (std::vector<std::string>{kStart, "'gsmap_a.dat' is processing, now...  ", kGsmapLine,
                                        "Reading product data .....", "Generate image files .....", kCompleted}));
    EXPECT_TRUE(files_in(rig.out).empty());
}

TEST(Pipeline, OutputFolderTypedWithBlanksAndNoSeparatorStillReceivesTheFiles)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    rig.driver.outputFolder = "  " + rig.out.string() + " ";
    ASSERT_TRUE(rig.run({a}, kinds(true, false, false, false)));
    if (!logged(rig, "GeoTIFF file(gsmap_a_PRC.tif) is created.")) GTEST_SKIP() << "GeoTIFF writer not ready";
    EXPECT_TRUE(fs::exists(rig.out / "gsmap_a_PRC.tif"));
    EXPECT_EQ(rig.sink.listed, (std::vector<std::string>{rig.out.string() + "/gsmap_a_PRC.tif"}));
}

TEST(Pipeline, WriterFailuresAreLoggedAndTheRunGoesOn)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    TiffGenType polar = TG_POLAR_BOTH;
    ASSERT_TRUE(rig.settings.set_ProjectionSetting(ST_GSMAP_HOURLY, polar));
    ASSERT_TRUE(rig.run({a, b}, kinds(true, false, false, false)));
    // Both polar grids are either written (moved and listed, north first) or
    // reported as one failure naming both files.
    for (const std::string base : {"gsmap_a_PRC", "gsmap_b_PRC"}) {
        const bool failed = logged(rig, "Fail in creating GeoTIFF files(" + base + "_N.tif," + base + "_S.tif).");
        const bool written = logged(rig, "GeoTIFF file(" + base + "_N.tif) is created.")
            && logged(rig, "GeoTIFF file(" + base + "_S.tif) is created.");
        EXPECT_TRUE(failed != written) << base;
    }
    EXPECT_EQ(rig.sink.lines.back(), kCompleted);
}

TEST(Pipeline, SwathProductAnnouncesItselfAndReadsItsGeolocationFirst)
{
    driver_rig rig;
    const auto l1b = write_synthetic(rig.temp.path(), "AMSR2_L1B", "l1b.h5");
    if (l1b.empty()) GTEST_SKIP() << "vardane-synth does not write AMSR2_L1B yet";
    ASSERT_TRUE(rig.run({l1b}, kinds(true, false, false, false)));
    const std::vector<std::string> head{kStart,
                                        "'l1b.h5' is processing, now...  ",
                                        "It is GCOM-W/L1B Product.",
                                        "Reading lat89A .....",
                                        "Reading lat89B .....",
                                        "Reading lon89A .....",
                                        "Reading lon89B .....",
                                        "Reading product data .....",
                                        "Generate image files ....."};
    ASSERT_GE(rig.sink.lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(rig.sink.lines.begin(), rig.sink.lines.begin() + head.size()), head);
    EXPECT_EQ(rig.sink.lines.back(), kCompleted);
}

TEST(Pipeline, KmzOfAGcomcProductIsRefusedPerVariableWithoutReadingGeolocation)
{
    driver_rig rig;
    const auto sst = write_synthetic(rig.temp.path(), "SGLI_SST", "sst.h5");
    if (sst.empty()) GTEST_SKIP() << "vardane-synth does not write SGLI_SST yet";
    ASSERT_TRUE(rig.run({sst}, kinds(false, true, false, false)));
    EXPECT_FALSE(logged(rig, "Reading lat ....."));
    const auto refusals = std::count(rig.sink.lines.begin(), rig.sink.lines.end(), "KMZ is NOT supporting GCOM-C Product.");
    const auto variables = std::count(rig.sink.lines.begin(), rig.sink.lines.end(), "Generate image files .....");
    EXPECT_GT(variables, 0);
    EXPECT_EQ(refusals, variables);
}

TEST(Pipeline, RelativeNamesMeanTheFolderTheRunWasStartedFrom)
{
    driver_rig rig;
    write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    fs::current_path(rig.temp.path()); // the rig returns to the original folder after the run
    rig.driver.outputFolder = "out";
    rig.driver.WorkDir = "work";
    ASSERT_TRUE(rig.run({"gsmap_a.dat"}, kinds(true, false, false, false)));
    EXPECT_FALSE(logged(rig, "Output folder is NOT exits."));
    EXPECT_TRUE(logged(rig, "'gsmap_a.dat' is processing, now...  "));
    if (!logged(rig, "GeoTIFF file(gsmap_a_PRC.tif) is created.")) GTEST_SKIP() << "GeoTIFF writer not ready";
    EXPECT_TRUE(fs::exists(rig.out / "gsmap_a_PRC.tif"));
}
