#include "cli/parallel_run.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/driver/run_messages.h"
#include "cli/cancel_signal.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct child_log {
    std::vector<std::string> lines;
    bool done = false;
};

std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Runs one child to its end and returns what it printed. A child that
// cannot be started prints nothing (and so does not complete).
std::vector<std::string> run_child(const std::string& exe, const std::vector<std::string>& args,
                                   std::mutex& mutex, std::set<pid_t>& running)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);

    std::vector<std::string> argvText{exe};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    int spawned = 0;
    {
        // Registered under the lock so a cancel never misses a new child.
        std::lock_guard lock(mutex);
        spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
        if (spawned == 0) running.insert(pid);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        return {};
    }

    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    {
        std::lock_guard lock(mutex);
        running.erase(pid);
    }
    return split_lines(text);
}

} // namespace

run_tally run_in_parallel(const cli_options& options, const std::vector<std::string>& files, console_sink& sink)
{
    const std::string exe = fs::read_symlink("/proc/self/exe").string();
    const std::size_t total = files.size();
    std::vector<child_log> logs(total);
    std::mutex mutex;
    std::condition_variable changed;
    std::set<pid_t> running;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancel{false};
    std::size_t workersLeft = std::min<std::size_t>(static_cast<std::size_t>(options.jobs), total);

    route_cancel_signals(&cancel);
    sink.printNewLog(run_msg::kStart);

    std::vector<std::thread> workers;
    for (std::size_t w = 0, n = workersLeft; w < n; ++w) {
        workers.emplace_back([&] {
            for (std::size_t i = next++; i < total && !cancel; i = next++) {
                std::error_code ec;
                const std::string input = fs::absolute(files[i], ec).string();
                auto lines = run_child(exe, child_arguments(options, input), mutex, running);
                std::lock_guard lock(mutex);
                logs[i].lines = std::move(lines);
                logs[i].done = true;
                changed.notify_all();
            }
            std::lock_guard lock(mutex);
            --workersLeft;
            changed.notify_all();
        });
    }

    bool allCompleted = true;
    bool forwarded = false;
    std::size_t shown = 0;
    std::unique_lock lock(mutex);
    while (shown < total) {
        if (cancel && !forwarded) {
            // Each child stops at its next check and cleans up after itself.
            for (const pid_t pid : running) ::kill(pid, SIGTERM);
            forwarded = true;
        }
        if (!logs[shown].done) {
            if (workersLeft == 0) { // cancelled: this one never started
                ++shown;
                continue;
            }
            changed.wait_for(lock, std::chrono::milliseconds(100));
            continue;
        }
        std::vector<std::string> lines = std::move(logs[shown].lines);
        ++shown;
        lock.unlock();

        // The child's own start and end lines frame a run of one file; the
        // parent shows one frame around all of them.
        const bool completed = !lines.empty() && lines.back() == run_msg::kCompleted;
        if (completed) lines.pop_back();
        if (!lines.empty() && lines.front() == run_msg::kStart) lines.erase(lines.begin());
        for (const auto& line : lines) sink.relay(line);
        if (!completed) {
            allCompleted = false;
            if (!lines.empty()) sink.show_if_quiet(lines.back());
        }
        sink.progress(static_cast<int>(shown), static_cast<int>(total), shown < total ? files[shown] : "");
        lock.lock();
    }
    lock.unlock();
    for (auto& worker : workers) worker.join();
    route_cancel_signals(nullptr);

    if (allCompleted) sink.printLog(run_msg::kCompleted);
    sink.tally.files = static_cast<int>(total);
    sink.tally.completed = allCompleted;
    return sink.tally;
}
