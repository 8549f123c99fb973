// vardane-cli when its output folder is deleted in the middle of a batch:
// the files after that fail, saying so, and the folder is not made again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/cli_process.h"
#include "support/scratch_folder.h"
#include "support/synthetic_file.h"
#include "support/wait_until.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;

TEST(CliVanishedOutput, FilesAfterTheOutputFolderWentFailAndTheFolderIsNotMadeAgain)
{
    test_support::scratch_folder t;
    const fs::path out = t / "out";
    fs::create_directories(out);
    std::vector<std::string> args{"-j", "1", "--pace", "200", "-o", out.string()};
    for (const char* name : {"g1.h5", "g2.h5", "g3.h5", "g4.h5"}) {
        const std::string path = test_support::write_synthetic("GSMAP_HOURLY", t / name);
        ASSERT_FALSE(path.empty()) << name;
        args.push_back(path);
    }

    auto run = start_cli(args);
    // The pipe is read only at the end; the run's output fits in it.
    EXPECT_TRUE(test_support::wait_until([&] { return fs::exists(out / "g1_PRC.tif"); }))
        << "the first file was not converted";
    fs::remove_all(out);
    const auto r = finish_cli(run);

    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_FALSE(fs::exists(out)) << "a worker made the deleted output folder again";
    // The last files start well after the folder went (the pace holds each
    // file for a second): each says what is wrong.
    EXPECT_GE(std::count(r.lines.begin(), r.lines.end(), "Output folder is NOT exits."), 2) << r.out;
    EXPECT_EQ(std::count(r.lines.begin(), r.lines.end(), "GeoTIFF file(g4_PRC.tif) is created."), 0) << r.out;
    const std::string& summary = r.lines.empty() ? std::string() : r.lines.back();
    EXPECT_EQ(summary.rfind("Summary: files 4, outputs written 1, failures 3", 0), 0u) << r.out;
}

} // namespace vardane
