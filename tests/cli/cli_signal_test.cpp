// Signals cancel a batch wherever they are sent: the workers abandon their
// files and clean up, the summary says so, and the exit status is the one a
// shell expects of a process the signal ended.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include "batch_checks.h"
#include "integration/cli_run_support.h"

extern char** environ;

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;

namespace {

// vardane-cli as the leader of its own process group, as a service manager
// starts it, with its standard output on a pipe.
running_cli start_group_leader(const std::vector<std::string>& args)
{
    int fds[2];
    EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<std::string> text{cli_path()};
    text.insert(text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : text) argv.push_back(a.data());
    argv.push_back(nullptr);
    running_cli run;
    EXPECT_EQ(posix_spawn(&run.pid, text[0].c_str(), &actions, &attributes, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[1]);
    run.stdoutFd = fds[0];
    return run;
}

// Reads standard output until it holds `text`; what was read stays in `out`.
void read_until(const running_cli& run, std::string& out, const std::string& text)
{
    char buffer[4096];
    while (out.find(text) == std::string::npos) {
        const ssize_t n = ::read(run.stdoutFd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EINTR)) return;
        if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
    }
}

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

} // namespace vardane
