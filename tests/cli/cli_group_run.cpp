#include "cli_group_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/wait_until.h"

extern char** environ;

namespace vardane {

namespace fs = std::filesystem;

namespace cli_test {

running_cli start_group_leader(const std::vector<std::string>& args, const std::string& errPath,
                               const std::vector<std::string>& environment)
{
    int fds[2];
    EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    if (!errPath.empty())
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<std::string> text{cli_path()};
    text.insert(text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : text) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> added = environment;
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e) envp.push_back(*e);
    for (auto& e : added) envp.push_back(e.data());
    envp.push_back(nullptr);
    running_cli run;
    EXPECT_EQ(posix_spawn(&run.pid, text[0].c_str(), &actions, &attributes, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[1]);
    run.stdoutFd = fds[0];
    return run;
}

void read_until(const running_cli& run, std::string& out, const std::string& text)
{
    char buffer[4096];
    while (out.find(text) == std::string::npos) {
        const ssize_t n = ::read(run.stdoutFd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EINTR)) return;
        if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
    }
}

process_result finish_within(running_cli& run, std::chrono::seconds limit)
{
    // The output of these runs is far below a pipe's capacity: the run never
    // waits for it to be read.
    const auto ended = [&] {
        siginfo_t info{};
        // Left unreaped: finish_cli reaps it after reading the rest.
        return ::waitid(P_PID, static_cast<id_t>(run.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
    };
    if (!test_support::wait_until(ended, limit)) {
        ADD_FAILURE() << "the run did not end within " << limit.count() << " s";
        ::kill(-run.pid, SIGKILL);
    }
    return finish_cli(run);
}

std::vector<pid_t> live_members(pid_t group)
{
    std::vector<pid_t> members;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        // /proc/PID/stat: "pid (comm) state ppid pgrp ..."; comm may hold
        // anything, so the fields are read after its last parenthesis.
        std::ifstream in(entry.path() / "stat");
        std::string stat;
        std::getline(in, stat);
        const auto close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(stat.substr(close + 1));
        char state = 0;
        pid_t parent = 0;
        pid_t pgrp = 0;
        fields >> state >> parent >> pgrp;
        if (pgrp == group && state != 'Z' && state != 'X') members.push_back(static_cast<pid_t>(std::stoi(name)));
    }
    return members;
}

} // namespace cli_test

} // namespace vardane
