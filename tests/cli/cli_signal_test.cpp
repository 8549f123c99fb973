// Signals cancel a batch wherever they are sent: the workers abandon their
// files and clean up, the summary says so, and the exit status is the one a
// shell expects of a process the signal ended.
#include <gtest/gtest.h>

#include <csignal>
#include <thread>
#include <fstream>
#include <sys/stat.h>

#include "batch_checks.h"
#include "cli_group_run.h"
#include "integration/cli_run_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;

namespace {

struct signal_case {
    int signal;
    bool toGroup; // the whole process group, workers included, or the parent alone
    const char* jobs;
};

} // namespace

TEST(CliSignal, TermToTheGroupAndHangupToTheParentCancelMidRun)
{
    for (const signal_case c : {signal_case{SIGTERM, true, "2"}, signal_case{SIGHUP, false, "1"}}) {
        integration::cli_scene scene;
        std::vector<std::string> args{
            "-o", scene.out().string(), "--settings", scene.settings(), "--pace", "200", "-j", c.jobs};
        for (const char* name : {"p1.h5", "p2.h5", "p3.h5", "p4.h5"})
            args.push_back(scene.product("AMSR2_L3_BT", name));
        auto run = start_group_leader(args);
        std::string head;
        read_until(run, head, "Reading product data .....");
        ::kill(c.toGroup ? -run.pid : run.pid, c.signal);
        auto r = finish_cli(run);
        r.out = head + r.out;
        r.lines = split_lines(r.out);

        EXPECT_EQ(r.status, 128 + c.signal) << c.signal << "\n" << r.out;
        EXPECT_NE(summary_of(r).find(", cancelled."), std::string::npos) << summary_of(r);
        EXPECT_EQ(integration::count_of(r.lines, "'p4.h5' is processing, now...  "), 0u) << r.out;
        expect_clean_output(r, scene.out());
    }
}

// A shell starts a background job with SIGINT ignored; the run still takes
// it as a cancel, even one that comes before the batch has begun: here while
// the program waits for its input list on a pipe.
TEST(CliSignal, InterruptCancelsARunStartedWithInterruptIgnored)
{
    integration::cli_scene scene;
    const fs::path list = scene.in().parent_path() / "inputs.fifo";
    ASSERT_EQ(::mkfifo(list.c_str(), 0600), 0);
    std::vector<std::string> inputs;
    for (const char* name : {"p1.h5", "p2.h5", "p3.h5"}) inputs.push_back(scene.product("AMSR2_L3_BT", name));
    const auto previous = std::signal(SIGINT, SIG_IGN);
    auto run = start_group_leader(
        {"-o", scene.out().string(), "--settings", scene.settings(), "--pace", "200", "--files-from", list.string()});
    std::signal(SIGINT, previous);
    // Opening the pipe blocks until it has a writer; by then the program is
    // well into its start.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    ::kill(run.pid, SIGINT);
    {
        std::ofstream writer(list);
        for (const auto& input : inputs) writer << input << "\n";
    }
    auto r = finish_within(run, std::chrono::seconds(90));
    EXPECT_EQ(r.status, 128 + SIGINT) << r.out;
    EXPECT_NE(summary_of(r).find(", cancelled."), std::string::npos) << summary_of(r);
    expect_clean_output(r, scene.out());
}

} // namespace vardane
