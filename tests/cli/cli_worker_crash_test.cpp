// Worker processes: a file that crashes a library inside its worker costs
// that file only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "batch_checks.h"
#include "integration/cli_run_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;

namespace {

// Mutants of synthetic products on which HDF5 or HDF4 crash the process
// (tests/corpus/README.md).
std::vector<std::string> crashers()
{
    const fs::path folder = fs::path(VARDANE_SOURCE_DIR) / "tests" / "corpus" / "crashers";
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(fs::canonical(entry.path()).string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files.size(), 5u);
    return files;
}

// How a worker ends on the corpus. In a sanitizer build the sanitizer meets
// the library's fault first (an overrunning copy inside HDF5, or the
// SIGSEGV itself), reports it and ends the worker with the status this test
// gives it; in every other build the kernel's SIGSEGV ends it.
std::string crash_ending()
{
#if defined(__SANITIZE_ADDRESS__)
    const char* options = std::getenv("ASAN_OPTIONS");
    const std::string before = options ? std::string(options) + ":" : "";
    ::setenv("ASAN_OPTIONS", (before + "exitcode=86").c_str(), 1);
    return "exit status 86";
#else
    return "SIGSEGV";
#endif
}

} // namespace

TEST(CliWorker, CrashingFilesFailAloneBetweenTwoGoodFiles)
{
    integration::cli_scene scene;
    const auto first = scene.product("AMSR2_L3_BT", "a_first.h5");
    const auto last = scene.product("GSMAP_HOURLY", "z_last.h5");
    const auto bad = crashers();
    const std::string ending = crash_ending();
    // What HDF5 makes of the mutants' broken attributes depends on the heap:
    // they crash for certain only in a process that read no other file
    // before. With two jobs the paced first file keeps one worker busy while
    // the other meets every mutant, each in the fresh worker that follows a
    // crash.
    for (const auto& [jobs, pace] : {std::pair{"1", "0"}, std::pair{"2", "1500"}}) {
        std::vector<std::string> args{"-j", jobs, "--pace", pace, first};
        args.insert(args.end(), bad.begin(), bad.end());
        args.push_back(last);
        const auto r = scene.run(args);

        EXPECT_EQ(r.status, 1) << jobs;
        for (const auto& file : bad) {
            EXPECT_TRUE(says(r.err, file + ": conversion crashed (" + ending + "); outputs of this file discarded\n"))
                << jobs << " " << file << "\n"
                << r.err;
        }
        for (const char* stem : {"a_first_", "z_last_"}) {
            const auto made = integration::created(r.lines, "GeoTIFF");
            EXPECT_TRUE(std::any_of(made.begin(), made.end(), [&](const auto& n) { return n.rfind(stem, 0) == 0; }))
                << jobs << " " << stem << "\n"
                << r.out;
        }
        EXPECT_TRUE(says(summary_of(r), "Summary: files 7, ")) << summary_of(r);
        EXPECT_TRUE(says(summary_of(r), ", failures 5, not products 0.")) << summary_of(r);
        expect_clean_output(r, scene.out());
        for (const auto& entry : fs::directory_iterator(scene.out())) fs::remove(entry.path());
    }
}

} // namespace vardane
