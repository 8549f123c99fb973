// A file on which a library hangs costs that file only: its worker is killed
// when the file's time limit runs out, or shortly after a cancel, and a
// worker whose parent was killed ends itself. The hang is the worker's test
// hook (batch/test_hang_hook.h): the named files hang right after their first
// output. No bound here is a measurement: each only tells a run that ends
// from one that hangs.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <map>

#include "batch_checks.h"
#include "cli_group_run.h"
#include "integration/cli_run_support.h"
#include "support/wait_until.h"

namespace vardane {

namespace fs = std::filesystem;
using json = nlohmann::json;
using namespace cli_test;

namespace {

// Far beyond what any run here needs, far below the default limit of a
// small file (two minutes): a run that reaches it is stuck.
constexpr auto kRunBound = std::chrono::seconds(90);

class hang_scene {
public:
    fs::path out() const { return scene_.out(); }
    std::string product(const std::string& name) { return scene_.product("GSMAP_HOURLY", name); }

    // The run, with the files named `hanging` hanging in their workers.
    running_cli start(const std::string& hanging, const std::vector<std::string>& args)
    {
        std::vector<std::string> all{"-o",       scene_.out().string(), "--settings", scene_.settings(),
                                     "--report", report_.string()};
        all.insert(all.end(), args.begin(), args.end());
        return start_group_leader(all, err_.string(), {"VARDANE_TEST_SPIN_ON=" + hanging});
    }

    std::string errors() const
    {
        std::ifstream in(err_);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::map<std::string, json> report() const
    {
        std::map<std::string, json> records;
        std::ifstream in(report_);
        for (std::string line; std::getline(in, line);) {
            const json record = json::parse(line, nullptr, false);
            EXPECT_TRUE(record.is_object()) << line;
            if (record.is_object()) records[record.value("input", "")] = record;
        }
        return records;
    }

private:
    integration::cli_scene scene_;
    fs::path err_ = scene_.in() / "stderr";
    fs::path report_ = scene_.in() / "report.jsonl";
};

bool no_hidden_entry(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.') return false;
    }
    return true;
}

// The report of a file that hung: failed for its time, no output.
void expect_timed_out(const json& record, const std::string& seconds)
{
    ASSERT_EQ(record["failures"].size(), 1u) << record;
    EXPECT_EQ(record["failures"][0]["cause"], "timed out after " + seconds + " s") << record;
    EXPECT_TRUE(record["outputs"].empty()) << record;
}

} // namespace

TEST(CliWatchdog, AHangingFileTimesOutAloneWithItsOutputDiscardedAndTheNextConverts)
{
    hang_scene scene;
    const auto hung = scene.product("hung.h5");
    const auto next = scene.product("next.h5");
    auto run = scene.start("hung.h5", {"--file-timeout", "2", hung, next});
    const auto r = finish_within(run, kRunBound);

    EXPECT_EQ(r.status, 1) << r.out;
    const std::string err = scene.errors();
    EXPECT_TRUE(says(err, hung + ": timed out after 2 s; outputs of this file discarded\n")) << err;
    EXPECT_EQ(summary_of(r), "Summary: files 2, outputs written 1, failures 1, not products 0.") << r.out;
    // Its output was made and announced before it hung; only the next file's
    // output stays, whole.
    EXPECT_EQ(integration::count_of(r.lines, "GeoTIFF file(hung_PRC.tif) is created."), 1u) << r.out;
    EXPECT_EQ(integration::file_names(scene.out()), std::vector<std::string>{"next_PRC.tif"});
    EXPECT_TRUE(integration::raster_file(scene.out() / "next_PRC.tif").width() > 0);
    EXPECT_TRUE(no_hidden_entry(scene.out())) << "a working folder is left in " << scene.out();
    auto records = scene.report();
    ASSERT_EQ(records.size(), 2u);
    expect_timed_out(records[hung], "2");
    EXPECT_EQ(records[next]["outputs"].size(), 1u) << records[next];
    EXPECT_TRUE(live_members(run.pid).empty()) << "a worker outlived the run";
}

TEST(CliWatchdog, TwoHangingFilesInTwoJobsDoNotStopAThird)
{
    hang_scene scene;
    const auto first = scene.product("hung1.h5");
    const auto second = scene.product("hung2.h5");
    const auto third = scene.product("third.h5");
    auto run = scene.start("hung1.h5/hung2.h5", {"-j", "2", "--file-timeout=2", first, second, third});
    const auto r = finish_within(run, kRunBound);

    EXPECT_EQ(r.status, 1) << r.out;
    const std::string err = scene.errors();
    for (const auto& file : {first, second})
        EXPECT_TRUE(says(err, file + ": timed out after 2 s; outputs of this file discarded\n")) << err;
    EXPECT_EQ(summary_of(r), "Summary: files 3, outputs written 1, failures 2, not products 0.") << r.out;
    EXPECT_EQ(integration::file_names(scene.out()), std::vector<std::string>{"third_PRC.tif"});
    EXPECT_TRUE(no_hidden_entry(scene.out()));
    auto records = scene.report();
    ASSERT_EQ(records.size(), 3u);
    expect_timed_out(records[first], "2");
    expect_timed_out(records[second], "2");
    EXPECT_TRUE(records[third]["failures"].empty()) << records[third];
    EXPECT_TRUE(live_members(run.pid).empty());
}

// The hung file's worker cannot honour the cancel: it is killed after a
// short grace, long before the file's own limit, and named.
TEST(CliWatchdog, ACancelEndsAHangingWorkerAndNamesItsFile)
{
    hang_scene scene;
    const auto hung = scene.product("hung.h5");
    const auto next = scene.product("next.h5");
    auto run = scene.start("hung.h5", {hung, next});
    std::string head;
    read_until(run, head, "GeoTIFF file(hung_PRC.tif) is created.");
    ::kill(run.pid, SIGTERM);
    auto r = finish_within(run, kRunBound);
    r.out = head + r.out;
    r.lines = split_lines(r.out);

    EXPECT_EQ(r.status, 128 + SIGTERM) << r.out;
    const std::string err = scene.errors();
    EXPECT_TRUE(says(err, hung + ": still converting 5 s after the cancel; its worker was killed\n")) << err;
    EXPECT_TRUE(says(summary_of(r), ", cancelled.")) << r.out;
    EXPECT_EQ(integration::count_of(r.lines, "'next.h5' is processing, now...  "), 0u) << r.out;
    // The output the file made before the cancel goes with it, as with a
    // file whose worker died: a cancelled file leaves nothing half done.
    EXPECT_TRUE(integration::file_names(scene.out()).empty()) << r.out;
    EXPECT_TRUE(no_hidden_entry(scene.out())) << r.out;
    EXPECT_TRUE(says(summary_of(r), "outputs written 0,")) << r.out;
    EXPECT_TRUE(scene.report()[hung]["cancelled"].get<bool>());
    EXPECT_TRUE(scene.report()[hung]["outputs"].empty());
    EXPECT_TRUE(live_members(run.pid).empty());
}

// SIGKILL gives the parent no chance to end its workers: the hung worker
// must end itself, and take its working folder with it.
TEST(CliWatchdog, AHangingWorkerDiesWithItsKilledParent)
{
    hang_scene scene;
    const auto hung = scene.product("hung.h5");
    auto run = scene.start("hung.h5", {hung, scene.product("next.h5")});
    std::string head;
    read_until(run, head, "GeoTIFF file(hung_PRC.tif) is created.");
    ASSERT_EQ(live_members(run.pid).size(), 2u) << head;
    ::kill(run.pid, SIGKILL);
    finish_cli(run);

    EXPECT_TRUE(test_support::wait_until([&] { return live_members(run.pid).empty(); }, kRunBound))
        << "the orphaned worker still runs";
    EXPECT_TRUE(no_hidden_entry(scene.out())) << "the orphaned worker left its working folder in " << scene.out();
}

} // namespace vardane
