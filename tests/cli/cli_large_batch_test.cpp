// Batches split over many runs: inputs from a list, shards that cover every
// input once, a JSON Lines report per file, and a killed run resumed.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/wait.h>

#include "batch_checks.h"
#include "cli/input_list.h"
#include "cli/input_shard.h"
#include "integration/cli_run_support.h"
#include "support/wait_until.h"

namespace vardane {

namespace fs = std::filesystem;
using json = nlohmann::json;
using namespace cli_test;

namespace {

// The report as parsed records by input; fails on a line that is not JSON.
std::vector<json> report_lines(const fs::path& path)
{
    std::vector<json> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(json::parse(line, nullptr, false));
        EXPECT_TRUE(lines.back().is_object()) << line;
    }
    return lines;
}

std::vector<fs::path> hidden_entries(const fs::path& folder)
{
    std::vector<fs::path> hidden;
    for (const auto& e : fs::directory_iterator(folder)) {
        if (e.path().filename().string().front() == '.') hidden.push_back(e.path());
    }
    return hidden;
}

std::map<std::string, json> by_input(const std::vector<json>& lines)
{
    std::map<std::string, json> records;
    for (const auto& line : lines) records[line.value("input", "")] = line;
    return records;
}

} // namespace

TEST(CliLargeBatch, ListsSkipBlanksAndCommentsAndShardsCoverEveryInputOnce)
{
    std::istringstream list("a/one.h5\n\n  # a comment\r\n#x.h5\n b.h5 \r\n\t\nc/one.h5\n");
    EXPECT_EQ(read_input_list(list), (std::vector<std::string>{"a/one.h5", " b.h5 ", "c/one.h5"}));

    std::vector<std::string> inputs;
    for (int i = 0; i < 23; ++i) inputs.push_back("d" + std::to_string(i % 3) + "/f" + std::to_string(i % 17) + ".h5");
    const std::set<std::string> all(inputs.begin(), inputs.end());
    for (int n = 1; n <= 7; ++n) {
        std::multiset<std::string> seen;
        std::map<std::string, int> shardOfStem;
        for (int k = 0; k < n; ++k) {
            for (const auto& path : shard_of(inputs, k, n)) {
                seen.insert(path);
                // Files of one base name would write the same outputs.
                const auto [it, fresh] = shardOfStem.try_emplace(fs::path(path).stem().string(), k);
                EXPECT_EQ(it->second, k) << path << " n=" << n;
            }
        }
        EXPECT_EQ(seen, std::multiset<std::string>(all.begin(), all.end())) << "n=" << n;
    }
}

TEST(CliLargeBatch, ReportHasOneJsonLinePerInputWithOutputsAndFailures)
{
    integration::cli_scene scene;
    const auto good = scene.product("GSMAP_HOURLY", "good.h5");
    const auto cut = scene.product("AMSR2_L3_BT", "cut.h5");
    fs::resize_file(cut, fs::file_size(cut) / 2);
    const auto text = (scene.in() / "notes.txt").string();
    std::ofstream(text) << "no product\n";
    const auto gone = (scene.in() / "gone.h5").string();
    const fs::path list = scene.in() / "list";
    std::ofstream(list) << "# inputs\n" << good << "\n\n" << cut << "\n" << text << "\n" << gone << "\n";
    const fs::path report = scene.in() / "report.jsonl";

    const auto r = scene.run({"-j", "2", "--files-from", list.string(), "--report", report.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(summary_of(r), "Summary: files 4, outputs written 1, failures 2, not products 1.");
    const auto lines = report_lines(report);
    auto records = by_input(lines);
    ASSERT_EQ(lines.size(), 4u);
    ASSERT_EQ(records.size(), 4u);

    const json& g = records[good];
    EXPECT_EQ(g["kind"], "GSMAP_HOURLY");
    EXPECT_EQ(g["asked"], json::array({"GeoTIFF"}));
    ASSERT_EQ(g["outputs"].size(), 1u);
    EXPECT_EQ(g["outputs"][0]["path"], (scene.out() / "good_PRC.tif").string());
    EXPECT_EQ(g["outputs"][0]["bytes"], fs::file_size(scene.out() / "good_PRC.tif"));
    EXPECT_TRUE(g["failures"].empty());
    EXPECT_GE(g["seconds"].get<double>(), 0.0);

    const json& c = records[cut];
    ASSERT_EQ(c["failures"].size(), 1u);
    EXPECT_EQ(c["failures"][0]["line"], "Filename(cut.h5) is Not Product Data.");
    EXPECT_FALSE(c["failures"][0]["cause"].get<std::string>().empty());
    EXPECT_TRUE(c["outputs"].empty());

    EXPECT_EQ(records[text]["kind"], "not a product");
    EXPECT_TRUE(records[text]["failures"].empty());
    EXPECT_TRUE(records[gone]["kind"].is_null());
    EXPECT_EQ(records[gone]["failures"][0]["line"], "no such file or folder");
}

// A run killed outright leaves whole outputs and a record of every file that
// ended; the next run skips exactly those and converts the rest.
TEST(CliLargeBatch, KilledRunResumesWithoutRedoingFinishedFiles)
{
    integration::cli_scene scene;
    std::vector<std::string> files;
    for (int i = 0; i < 6; ++i) files.push_back(scene.product("GSMAP_HOURLY", "g" + std::to_string(i) + ".h5"));
    const fs::path report = scene.in() / "report.jsonl";
    std::vector<std::string> args{
        "-o", scene.out().string(), "--settings", scene.settings(), "--report", report.string(), "--pace", "150", "-q"};
    args.insert(args.end(), files.begin(), files.end());

    running_cli first = start_cli(args);
    const bool twoRecorded = test_support::wait_until([&] { return report_lines(report).size() >= 2; });
    ::kill(first.pid, SIGKILL);
    const auto killed = finish_cli(first);
    ASSERT_TRUE(twoRecorded) << "the first run recorded fewer than 2 files within a minute; its errors:\n"
                             << killed.err;
    // Its orphaned worker cancels its file and removes its working folder.
    EXPECT_TRUE(test_support::wait_until([&] { return hidden_entries(scene.out()).empty(); }))
        << "the orphaned worker left its working folder in " << scene.out();
    const auto done = by_input(report_lines(report));
    ASSERT_LT(done.size(), files.size());
    std::map<std::string, fs::file_time_type> written;
    for (const auto& [input, record] : done) {
        ASSERT_TRUE(record["failures"].empty()) << record;
        const fs::path output = record["outputs"][0]["path"].get<std::string>();
        written[output.filename().string()] = fs::last_write_time(output);
    }

    args.emplace_back("--skip-existing");
    const auto second = run_cli(args, scene.in());
    EXPECT_EQ(second.status, 0) << second.err;
    // Every file has its one output, whole; the finished ones untouched.
    std::vector<std::string> expected;
    for (int i = 0; i < 6; ++i) expected.push_back("g" + std::to_string(i) + "_PRC.tif");
    EXPECT_EQ(integration::file_names(scene.out()), expected);
    for (const auto& name : expected) {
        const integration::raster_file raster(scene.out() / name);
        EXPECT_TRUE(raster.is_open() && raster.width() > 0) << name;
        if (written.contains(name)) {
            EXPECT_EQ(fs::last_write_time(scene.out() / name), written[name]) << name;
        }
    }
    EXPECT_TRUE(hidden_entries(scene.out()).empty());
    // The second run's records: the finished files marked skipped, the rest converted.
    const auto lines = report_lines(report);
    ASSERT_EQ(lines.size(), done.size() + files.size());
    for (std::size_t i = done.size(); i < lines.size(); ++i) {
        const bool skipped = lines[i]["skipped"].get<bool>();
        EXPECT_EQ(skipped, done.contains(lines[i]["input"].get<std::string>())) << lines[i];
        EXPECT_EQ(lines[i]["outputs"].size(), 1u) << lines[i];
    }
}

} // namespace vardane
