// The cancel flag: checked at fixed points, its message logged once per run
// by the file loop (every time by the geolocation reads), the current file's
// NetCDF and information steps still run, and no further file starts.
#include <algorithm>
#include <filesystem>

#include "driver_test_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

namespace {

const std::string kCancel = "Cancel is activated.";

// Sets the cancel flag the first time the given line is logged.
void cancel_on(driver_rig& rig, const std::string& trigger)
{
    rig.sink.hook = [&rig, trigger](const std::string& line) {
        if (line == trigger) rig.driver.cancel();
    };
}

} // namespace

// A cancel at the start of a file ends the file loop; one in the variable
// loop still runs the file's NetCDF step once and stops there.
TEST(Cancel, EndsTheFileLoopAtTheStartOfAFileOrAfterItsNetcdfStep)
{
    const std::string processing = "'gsmap_a.dat' is processing, now...  ";
    const std::string reading = "Reading product data .....";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {processing, {kStart, processing, kCancel, kCompleted}},
        {reading,
         {kStart, processing, "It is GSMaP/Hourly-L3 Product.", reading, kCancel, "NetCDF unsupported.", kCompleted}}};
    for (const auto& [trigger, expected] : cases) {
        SCOPED_TRACE(trigger);
        driver_rig rig;
        const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
        const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
        cancel_on(rig, trigger);
        ASSERT_TRUE(rig.run({a, b}, kinds(true, false, false, true)));
        EXPECT_EQ(rig.sink.lines, expected);
        EXPECT_EQ(rig.sink.modes, (std::vector<bool>{true, false}));
        EXPECT_EQ(rig.sink.count(run_event_type::cancelled), 1);
        EXPECT_TRUE(files_in(rig.out).empty());
    }
}

TEST(Cancel, MessageIsLoggedOncePerRunAndAgainInTheNextRun)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    cancel_on(rig, "Generate image files .....");
    ASSERT_TRUE(rig.run({a}, kinds(true, false, false, false)));
    EXPECT_EQ(rig.sink.count(kCancel), 1);

    // RunAction clears the flag; a new cancel in the next run is reported again.
    ASSERT_TRUE(rig.run({a}, kinds(true, false, false, false)));
    EXPECT_EQ(rig.sink.count(kCancel), 1);
    EXPECT_EQ(rig.sink.lines.front(), kStart);
}

TEST(Cancel, GeolocationReadsReportItEveryTimeAndTheLoopOnceMore)
{
    driver_rig rig;
    const auto l1b = write_synthetic(rig.temp.path(), "AMSR2_L1B", "l1b.h5");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    cancel_on(rig, "It is GCOM-W/L1B Product.");
    ASSERT_TRUE(rig.run({l1b, b}, kinds(true, false, false, false)));
    EXPECT_EQ(rig.sink.lines,
              (std::vector<std::string>{kStart, "'l1b.h5' is processing, now...  ", "It is GCOM-W/L1B Product.",
                                        "Reading lat89A .....", kCancel, "Reading lat89B .....", kCancel,
                                        "Reading lon89A .....", kCancel, "Reading lon89B .....", kCancel,
                                        "Reading product data .....", kCancel, kCompleted}));
}

TEST(Cancel, SwathFileStillGetsItsNetcdfButNoEmptyInformationFileAfterACancel)
{
    driver_rig rig;
    const auto l1b = write_synthetic(rig.temp.path(), "AMSR2_L1B", "l1b.h5");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    cancel_on(rig, "Reading product data .....");
    ASSERT_TRUE(rig.run({l1b, b}, kinds(false, false, true, true)));

    const auto& lines = rig.sink.lines;
    const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line); };
    ASSERT_EQ(rig.sink.count(kCancel), 1);
    EXPECT_LT(at(kCancel), at("Generate NetCDF file ..."));
    EXPECT_TRUE(rig.sink.logged("NetCDF file(l1b.nc) is created."));
    EXPECT_EQ(lines.back(), kCompleted);
    EXPECT_EQ(at("'gsmap_b.dat' is processing, now...  "), lines.end());
    // No TIFF was written before the cancel: no information file at all.
    EXPECT_FALSE(rig.sink.logged("Creating position informatoin file."));
    EXPECT_FALSE(fs::exists(rig.out / "l1b.txt"));
}

} // namespace vardane
