// Resuming a batch from its report: what counts as done (the outputs asked
// for, the input unchanged), and reports that a crash or a file name that
// is not UTF-8 could spoil.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "batch_checks.h"
#include "cli/file_report.h"
#include "integration/cli_run_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;

namespace {

std::vector<std::string> made(const process_result& r, const char* kind = "GeoTIFF")
{
    return integration::created(r.lines, kind);
}

std::vector<std::string> report_text(const std::string& report)
{
    std::ifstream in(report);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace

// A node that crashed while writing a record leaves a line cut short: the
// next run's record begins on a line of its own, and a resumed run warns of
// the torn line and finds every other record.
TEST(CliResume, TornReportLineCostsOnlyItself)
{
    integration::cli_scene scene;
    const auto a = scene.product("GSMAP_HOURLY", "a.h5");
    const auto b = scene.product("GSMAP_HOURLY", "b.h5");
    const std::string report = (scene.in() / "report.jsonl").string();
    ASSERT_EQ(scene.run({"--report", report, a}).status, 0);
    std::ofstream(report, std::ios::app) << R"({"input": "/cut/short.h5", "ki)";
    ASSERT_EQ(scene.run({"--report", report, b}).status, 0);

    const auto resumed = scene.run({"--report", report, "--skip-existing", a, b});
    EXPECT_EQ(resumed.status, 0) << resumed.err;
    EXPECT_TRUE(made(resumed).empty()) << resumed.out;
    EXPECT_EQ(resumed.err, "vardane-cli: " + report + " line 2 is no whole record, passed over\n");
}

// A name that is not UTF-8 is recorded byte for byte, so that the resumed
// run finds its record and its output.
TEST(CliResume, NameThatIsNotUtf8IsFoundAgain)
{
    integration::cli_scene scene;
    const auto file = scene.product("GSMAP_HOURLY", "caf\xE9.h5");
    const std::string report = (scene.in() / "report.jsonl").string();
    ASSERT_EQ(scene.run({"--report", report, file}).status, 0);
    const auto lines = report_text(report);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(R"(caf\u00e9.h5")"), std::string::npos) << lines[0];
    const auto record = from_json_line(lines[0]);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->input, fs::absolute(file).string());
    ASSERT_EQ(record->outputs.size(), 1u);
    EXPECT_EQ(record->outputs[0].path, (scene.out() / "caf\xE9_PRC.tif").string());

    const auto resumed = scene.run({"--report", report, "--skip-existing", file});
    EXPECT_EQ(resumed.status, 0) << resumed.err;
    EXPECT_TRUE(made(resumed).empty()) << resumed.out;
    EXPECT_TRUE(says(resumed.out, "Skipped " + file)) << resumed.out;
}

// A file re-issued under its name since it was converted is converted again.
TEST(CliResume, ChangedInputIsConvertedAgain)
{
    integration::cli_scene scene;
    const auto same = scene.product("GSMAP_HOURLY", "same.h5");
    const auto changed = scene.product("GSMAP_HOURLY", "changed.h5");
    const std::string report = (scene.in() / "report.jsonl").string();
    ASSERT_EQ(scene.run({"--report", report, same, changed}).status, 0);
    test_support::write_synthetic("GSMAP_HOURLY", changed, {}, synth_layout::ours, 2);
    fs::last_write_time(changed, fs::last_write_time(changed) + std::chrono::hours(1));

    const auto resumed = scene.run({"--report", report, "--skip-existing", same, changed});
    EXPECT_EQ(resumed.status, 0) << resumed.err;
    EXPECT_EQ(made(resumed), std::vector<std::string>{"changed_PRC.tif"}) << resumed.out;
}

// A file is done when it has the outputs of every kind asked now: those of
// a wider run count, a kind it never had is made.
TEST(CliResume, OutputKindsAskedNowDecideWhatIsDone)
{
    integration::cli_scene scene;
    const auto wide = scene.product("GSMAP_HOURLY", "wide.h5");
    const auto narrow = scene.product("GSMAP_HOURLY", "narrow.h5");
    const std::string report = (scene.in() / "report.jsonl").string();
    ASSERT_EQ(scene.run({"--report", report, "--geotiff", "--kmz", wide}).status, 0);
    ASSERT_EQ(scene.run({"--report", report, "--geotiff", narrow}).status, 0);

    const auto resumed = scene.run({"--report", report, "--skip-existing", "--geotiff", wide});
    EXPECT_EQ(resumed.status, 0) << resumed.err;
    EXPECT_TRUE(made(resumed).empty()) << resumed.out;
    const auto widened = scene.run({"--report", report, "--skip-existing", "--geotiff", "--kmz", narrow});
    EXPECT_EQ(widened.status, 0) << widened.err;
    EXPECT_EQ(made(widened, "KMZ"), std::vector<std::string>{"narrow_PRC.kmz"}) << widened.out;
}

} // namespace vardane
