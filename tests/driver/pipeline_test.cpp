// The per-file pipeline on real files: what is logged and written for the
// output kinds ticked and the options chosen.
#include <gdal_alg.h>
#include <gdal_priv.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "driver_test_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

namespace {

const std::string kGsmapLine = "It is GSMaP/Hourly-L3 Product.";

int checksum(const fs::path& tif)
{
    GDALAllRegister();
    GDALDataset* ds = static_cast<GDALDataset*>(GDALOpen(tif.c_str(), GA_ReadOnly));
    EXPECT_NE(ds, nullptr);
    if (!ds) return -1;
    GDALRasterBand* band = ds->GetRasterBand(1);
    const int sum = GDALChecksumImage(band, 0, 0, band->GetXSize(), band->GetYSize());
    GDALClose(ds);
    return sum;
}

} // namespace

// What a GSMaP grid logs for the kinds ticked: no selected variable skips
// the file including its NetCDF step; NetCDF alone reads no variable and is
// refused; TIFF text on a gridded product writes nothing and says nothing.
TEST(Pipeline, GriddedPrecipitationLinesForTheKindsTicked)
{
    const std::string head = "'gsmap_a.dat' is processing, now...  ";
    struct line_case {
        bool deselect;
        output_switches switches;
        std::vector<std::string> lines;
    };
    const line_case cases[] = {
        {true,
         kinds(true, true, true, true),
         {kStart, head, kGsmapLine, "Converting variables  are Not Selected.", kCompleted}},
        {false, kinds(false, false, false, true), {kStart, head, kGsmapLine, "NetCDF unsupported.", kCompleted}},
        {false,
         kinds(false, false, true, false),
         {kStart, head, kGsmapLine, "Reading product data .....", "Generate image files .....", kCompleted}}};
    for (const line_case& c : cases) {
        SCOPED_TRACE(c.lines[3]);
        driver_rig rig;
        optSet_t entry;
        ASSERT_TRUE(rig.settings.get_OptSetting(ST_GSMAP_HOURLY, "PercipRate", entry));
        entry.flag = !c.deselect;
        ASSERT_TRUE(rig.settings.set_OptSetting(ST_GSMAP_HOURLY, "PercipRate", entry));
        ASSERT_TRUE(rig.run({write_gsmap_bin(rig.temp.path(), "gsmap_a.dat")}, c.switches));
        EXPECT_EQ(rig.sink.lines, c.lines);
        EXPECT_TRUE(files_in(rig.out).empty());
    }
}

TEST(Pipeline, OutputFolderTypedWithBlanksAndNoSeparatorStillReceivesTheFiles)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    rig.request.outputFolder = "  " + rig.out.string() + " ";
    ASSERT_TRUE(rig.run({a}, kinds(true, false, false, false)));
    ASSERT_TRUE(rig.sink.logged("GeoTIFF file(gsmap_a_PRC.tif) is created."));
    EXPECT_TRUE(fs::exists(rig.out / "gsmap_a_PRC.tif"));
    EXPECT_EQ(rig.sink.listed, (std::vector<std::string>{rig.out.string() + "/gsmap_a_PRC.tif"}));
}

// The GSMaP grid spans 60 degrees north to 60 south: no polar projection can
// be made of it, and each file's pair is one failure naming both files and
// the writer's cause, after which the run goes on.
TEST(Pipeline, WriterFailuresAreLoggedWithTheirCauseAndTheRunGoesOn)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    TiffGenType polar = TG_POLAR_BOTH;
    ASSERT_TRUE(rig.settings.set_ProjectionSetting(ST_GSMAP_HOURLY, polar));
    ASSERT_TRUE(rig.run({a, b}, kinds(true, false, false, false)));
    for (const std::string base : {"gsmap_a_PRC", "gsmap_b_PRC"}) {
        EXPECT_TRUE(rig.sink.logged("Fail in creating GeoTIFF files(" + base + "_N.tif," + base + "_S.tif).")) << base;
    }
    EXPECT_TRUE(files_in(rig.out).empty());
    EXPECT_TRUE(files_in(rig.work).empty());
    ASSERT_EQ(rig.sink.count(run_event_type::failure), 2);
    const std::string inputs[] = {a, b};
    int i = 0;
    for (const auto& event : rig.sink.reported) {
        if (event.type != run_event_type::failure) continue;
        EXPECT_EQ(event.path, inputs[i]);
        EXPECT_EQ(event.kind, "GeoTIFF");
        EXPECT_EQ(event.why.file, (rig.work / (i == 0 ? "gsmap_a_PRC_N.tif" : "gsmap_b_PRC_N.tif")).string());
        EXPECT_EQ(event.why.cause, "the raster does not cover the whole Earth");
        ++i;
    }
    EXPECT_EQ(rig.sink.lines.back(), kCompleted);
}

TEST(Pipeline, SwathProductAnnouncesItselfAndReadsItsGeolocationFirst)
{
    driver_rig rig;
    const auto l1b = write_synthetic(rig.temp.path(), "AMSR2_L1B", "l1b.h5");
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
    ASSERT_TRUE(rig.run({sst}, kinds(false, true, false, false)));
    EXPECT_FALSE(rig.sink.logged("Reading lat ....."));
    const auto refusals = rig.sink.count("KMZ is NOT supporting GCOM-C Product.");
    const auto variables = rig.sink.count("Generate image files .....");
    EXPECT_GT(variables, 0);
    EXPECT_EQ(refusals, variables);
}

TEST(Pipeline, RelativeNamesMeanTheBaseFolderAndTheCurrentDirectoryIsLeftAlone)
{
    driver_rig rig;
    write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    rig.request.baseFolder = rig.temp.path();
    rig.request.outputFolder = "out";
    rig.request.workFolder = "work";
    ASSERT_TRUE(rig.run({"gsmap_a.dat"}, kinds(true, false, false, false)));
    EXPECT_TRUE(rig.sink.logged("GeoTIFF file(gsmap_a_PRC.tif) is created."));
    EXPECT_TRUE(fs::exists(rig.out / "gsmap_a_PRC.tif"));
    EXPECT_EQ(rig.driver.request().workFolder, rig.work);
}

// Two outputs of one run with one name: the first is kept, the second is a
// failure naming both sources, and nothing is overwritten or counted twice.
TEST(Pipeline, SecondOutputOfTheSameNameInOneRunIsAFailureNotAnOverwrite)
{
    driver_rig rig;
    fs::create_directories(rig.temp / "a");
    fs::create_directories(rig.temp / "b");
    const auto first = write_gsmap_bin(rig.temp / "a", "gsmap_x.dat");
    const auto second = write_gsmap_bin(rig.temp / "b", "gsmap_x.dat");
    std::ofstream(second, std::ios::binary | std::ios::in | std::ios::out).write("\x7f\x7f\x7f\x7f", 4);
    ASSERT_TRUE(rig.run({first, second}, kinds(true, false, false, false)));

    EXPECT_EQ(rig.sink.count("GeoTIFF file(gsmap_x_PRC.tif) is created."), 1);
    EXPECT_TRUE(rig.sink.logged(
        "Fail in creating GeoTIFF file(gsmap_x_PRC.tif): the same name was already created from " + first
        + " (PercipRate) in this run; not replaced by the one from " + second + " (PercipRate)."));
    EXPECT_EQ(rig.sink.count(run_event_type::output_created), 1);
    EXPECT_EQ(rig.sink.count(run_event_type::failure), 1);
    EXPECT_EQ(rig.sink.listed.size(), 1u);
    EXPECT_TRUE(files_in(rig.work).empty());

    // The first file's grid is the one kept: the second's alone differs.
    const int kept = checksum(rig.out / "gsmap_x_PRC.tif");
    ASSERT_TRUE(rig.run({second}, kinds(true, false, false, false)));
    EXPECT_NE(checksum(rig.out / "gsmap_x_PRC.tif"), kept);
}

TEST(Pipeline, TwoVariablesWithOneOutputNameKeepTheFirst)
{
    driver_rig rig;
    const auto dpr = write_synthetic(rig.temp.path(), "DPR_MONTHLY", "dpr.h5");
    // The first two variables, both selected, under the first one's name.
    const auto keys = rig.settings.get_key_list(ST_DPR_MONTHLY);
    ASSERT_GE(keys.size(), 2u);
    optSet_t first;
    optSet_t second;
    ASSERT_TRUE(rig.settings.get_OptSetting(ST_DPR_MONTHLY, keys[0], first));
    ASSERT_TRUE(rig.settings.get_OptSetting(ST_DPR_MONTHLY, keys[1], second));
    first.flag = second.flag = true;
    second.name = first.name;
    ASSERT_TRUE(rig.settings.set_OptSetting(ST_DPR_MONTHLY, keys[0], first));
    ASSERT_TRUE(rig.settings.set_OptSetting(ST_DPR_MONTHLY, keys[1], second));
    ASSERT_TRUE(rig.run({dpr}, kinds(true, false, false, false)));

    const std::string name = "dpr_" + first.name + ".tif";
    EXPECT_EQ(rig.sink.count("GeoTIFF file(" + name + ") is created."), 1);
    // The variables are converted in their index order, whichever that is.
    const auto collision = [&](const std::string& kept, const std::string& refused) {
        return "Fail in creating GeoTIFF file(" + name + "): the same name was already created from " + dpr + " ("
               + kept + ") in this run; not replaced by the one from " + dpr + " (" + refused + ").";
    };
    EXPECT_TRUE(rig.sink.logged(collision(keys[0], keys[1])) || rig.sink.logged(collision(keys[1], keys[0])));
    EXPECT_EQ(rig.sink.count(run_event_type::failure), 1);
}

} // namespace vardane
