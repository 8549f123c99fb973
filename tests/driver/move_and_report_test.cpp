// Outputs move from the working folder into the output folder, replacing a
// file of the same name, and are reported once.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "driver_test_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

namespace {

std::string read_all(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// move_created takes bare names of the driver's working folder and moves
// them into the request's output folder: an empty run sets both up, then
// single moves are driven by hand.
class MoveCreated : public ::testing::Test {
protected:
    MoveCreated()
    {
        EXPECT_TRUE(rig.run({}, kinds(true, false, false, false)));
        rig.sink.lines.clear();
        rig.sink.reported.clear();
        outdir = rig.out.string() + "/";
    }

    driver_rig rig;
    std::string outdir;
};

} // namespace

TEST_F(MoveCreated, ReplacesAFileOfTheSameNameAndReportsIt)
{
    std::ofstream(rig.out / "x_V.tif") << "old output of an earlier run";
    std::ofstream(rig.work / "x_V.tif") << "new";
    rig.driver.move_created("x_V.tif", "GeoTIFF");

    EXPECT_EQ(read_all(rig.out / "x_V.tif"), "new");
    EXPECT_FALSE(fs::exists(rig.work / "x_V.tif"));
    EXPECT_EQ(rig.sink.lines, (std::vector<std::string>{"GeoTIFF file(x_V.tif) is created."}));
    EXPECT_EQ(rig.sink.listed, (std::vector<std::string>{outdir + "x_V.tif"}));
    ASSERT_EQ(rig.sink.reported.size(), 1u);
    EXPECT_EQ(rig.sink.reported[0].type, run_event_type::output_created);
    EXPECT_EQ(rig.sink.reported[0].kind, "GeoTIFF");
    EXPECT_EQ(rig.sink.reported[0].path, outdir + "x_V.tif");
}

TEST_F(MoveCreated, AFileNotMadeInThisRunIsNotReported)
{
    std::ofstream(rig.out / "x_V.kmz") << "from yesterday";
    rig.driver.move_created("x_V.kmz", "KMZ");
    EXPECT_TRUE(rig.sink.lines.empty());
    EXPECT_TRUE(rig.sink.listed.empty());
    EXPECT_EQ(read_all(rig.out / "x_V.kmz"), "from yesterday");
}

// A folder squatting the output's name: the move is refused, which is a
// failure of that output with the system's words, not of the run.
TEST_F(MoveCreated, ARefusedMoveIsAFailureOfThatOutputWithItsCause)
{
    fs::create_directories(rig.out / "x.nc" / "inside");
    std::ofstream(rig.work / "x.nc") << "data";
    rig.driver.move_created("x.nc", "NetCDF");

    EXPECT_EQ(rig.sink.lines, (std::vector<std::string>{"Fail in creating NetCDF file(x.nc)."}));
    EXPECT_TRUE(rig.sink.listed.empty());
    EXPECT_FALSE(fs::exists(rig.work / "x.nc")) << "the refused output does not stay behind";
    EXPECT_TRUE(fs::is_directory(rig.out / "x.nc" / "inside"));
    ASSERT_EQ(rig.sink.reported.size(), 1u);
    const run_event& event = rig.sink.reported[0];
    EXPECT_EQ(event.type, run_event_type::failure);
    EXPECT_EQ(event.kind, "NetCDF");
    EXPECT_EQ(event.why.file, outdir + "x.nc");
    EXPECT_FALSE(event.why.cause.empty());
}

} // namespace vardane
