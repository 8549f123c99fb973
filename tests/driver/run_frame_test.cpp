// The frame of a run: start and end lines, run modes, the working folder,
// and how an exception thrown while converting a file is reported.
#include <filesystem>
#include <new>
#include <stdexcept>

#include "driver_test_support.h"
#include "util/vdn_exception.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

// A missing input file is no product too, and the next file still runs.
TEST(RunFrame, UnrecognisedAndMissingFilesAreListedAsNoProductAndTheWindowReturnsToIdle)
{
    driver_rig rig;
    const auto notes = write_text(rig.temp / "notes.txt", "not a product\n");
    ASSERT_TRUE(rig.run({(rig.temp / "vanished.h5").string(), notes}, kinds(true, false, false, false)));
    // The log, and the switch back to idle posted before the final line.
    EXPECT_EQ(rig.sink.events,
              (std::vector<std::string>{kStart, "mode:1", "Filename(vanished.h5) is Not Product Data.",
                                        "Filename(notes.txt) is Not Product Data.", "mode:0", kCompleted}));
    EXPECT_TRUE(rig.sink.listed.empty());
    EXPECT_TRUE(rig.driver.completed());
    ASSERT_EQ(rig.sink.reported.size(), 2u);
    EXPECT_EQ(rig.sink.count(run_event_type::not_product), 2);
    EXPECT_EQ(rig.sink.reported.back().path, notes);
    EXPECT_TRUE(files_in(rig.out).empty());
}

TEST(RunFrame, MissingOutputFolderEndsTheRunNormally)
{
    driver_rig rig;
    const auto notes = write_text(rig.temp / "notes.txt", "x");
    rig.request.outputFolder = (rig.temp / "nowhere").string();
    ASSERT_TRUE(rig.run({notes}, kinds(true, false, false, false)));
    EXPECT_EQ(rig.sink.lines, (std::vector<std::string>{kStart, "Output folder is NOT exits.", kCompleted}));
    EXPECT_EQ(rig.sink.modes, (std::vector<bool>{true, false}));
}

TEST(RunFrame, WorkingFolderThatCannotBeEnteredStartsNothing)
{
    driver_rig rig;
    const auto blocker = write_text(rig.temp / "blocker", "a file where a folder should be");
    rig.request.workFolder = fs::path(blocker) / "work";
    EXPECT_FALSE(rig.run({blocker}, kinds(true, false, false, false)));
    EXPECT_EQ(rig.sink.lines, (std::vector<std::string>{"Fail in working-folder. Abort."}));
    EXPECT_TRUE(rig.sink.modes.empty());
    EXPECT_FALSE(rig.driver.running());
}

TEST(RunFrame, WorkingFolderIsEmptiedAtStartAndEndButKeepsSubFolders)
{
    driver_rig rig;
    fs::create_directories(rig.work / "keep");
    write_text(rig.work / "stale.tif", "left by a crashed run");
    write_text(rig.work / "keep" / "inner.txt", "not ours to delete");
    const auto input = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");

    bool staleSeenDuringRun = true;
    rig.sink.hook = [&](const std::string& line) {
        if (line == "'gsmap_a.dat' is processing, now...  ") staleSeenDuringRun = fs::exists(rig.work / "stale.tif");
        // Something a writer left behind: the end of the run removes it.
        if (line == "Reading product data .....") write_text(rig.work / "leftover.tmp", "x");
    };
    ASSERT_TRUE(rig.run({input}, kinds(false, false, true, false)));
    EXPECT_FALSE(staleSeenDuringRun);
    EXPECT_TRUE(files_in(rig.work).empty());
    EXPECT_TRUE(fs::exists(rig.work / "keep" / "inner.txt"));
}

// An exception of any type thrown while a file is converted costs that file
// only: what it left in the working folder goes, its line is logged and
// counted as a failure of the file naming the cause, and the next file
// converts.
struct escape_case {
    const char* name;
    std::function<void()> thrower;
    std::string line;  // logged for each file
    std::string cause; // of its failure event
    std::string file;  // of its failure event, when not the input
};

class RunFrameEscape : public ::testing::TestWithParam<escape_case> {};

TEST_P(RunFrameEscape, EndsOnlyTheFileItWasThrownIn)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    // File a throws once its product line is out; file b converts.
    bool leftoverSeenAtB = true;
    bool thrown = false;
    rig.sink.hook = [&](const std::string& line) {
        if (line == "'gsmap_b.dat' is processing, now...  ")
            leftoverSeenAtB = fs::exists(rig.work / "half_written.tif");
        if (line != "It is GSMaP/Hourly-L3 Product." || thrown) return;
        thrown = true;
        write_text(rig.work / "half_written.tif", "x");
        GetParam().thrower();
    };
    ASSERT_TRUE(rig.run({a, b}, kinds(true, false, false, false)));

    const std::vector<std::string> expected{kStart,
                                            "'gsmap_a.dat' is processing, now...  ",
                                            GetParam().line,
                                            "'gsmap_b.dat' is processing, now...  ",
                                            "It is GSMaP/Hourly-L3 Product.",
                                            "Reading product data .....",
                                            "Generate image files .....",
                                            "GeoTIFF file(gsmap_b_PRC.tif) is created.",
                                            kCompleted};
    EXPECT_EQ(rig.sink.lines, expected);
    EXPECT_TRUE(rig.driver.completed());
    EXPECT_FALSE(leftoverSeenAtB) << "the failed file's leftovers went with it";
    EXPECT_TRUE(files_in(rig.work).empty());
    EXPECT_EQ(files_in(rig.out), std::vector<std::string>{"gsmap_b_PRC.tif"});
    ASSERT_EQ(rig.sink.count(run_event_type::failure), 1);
    for (const auto& event : rig.sink.reported) {
        if (event.type != run_event_type::failure) continue;
        EXPECT_EQ(event.path, a);
        EXPECT_EQ(event.why.file, GetParam().file.empty() ? a : GetParam().file);
        EXPECT_EQ(event.why.cause, GetParam().cause);
        EXPECT_EQ(event.kind, "Product");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RunFrameEscape,
    ::testing::Values(
        escape_case{"ProgramException", [] { throw vdn_exception("cannot open file: /opt/clt/x.clt"); },
                    "cannot open file: /opt/clt/x.clt", "cannot open file: /opt/clt/x.clt", ""},
        escape_case{"ProgramExceptionWithItsFailure",
                    [] {
                        throw vdn_exception("dataset unreadable", failure{"/in/x.h5", "bad chunk"});
                    },
                    "dataset unreadable", "bad chunk", "/in/x.h5"},
        escape_case{"StandardException", [] { throw std::runtime_error("bad things"); }, "Exception: bad things",
                    "bad things", ""},
        escape_case{"AnythingElse", [] { throw 42; }, "Unhandled exception.", "Unhandled exception.", ""},
        escape_case{"FileInputOutputError",
                    [] { throw fs::filesystem_error("disk gone", std::make_error_code(std::errc::io_error)); },
                    "Exception: filesystem error: disk gone: Input/output error",
                    "filesystem error: disk gone: Input/output error", ""},
        escape_case{"OutOfMemory", [] { throw std::bad_alloc(); }, "Exception: std::bad_alloc", "out of memory", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace vardane
