#include "cli/parallel_run.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/driver/run_messages.h"
#include "cli/cancel_signal.h"
#include "cli/child_channel.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// The files one child converts, in input order, and what it printed.
struct child_job {
    std::vector<std::size_t> files;
    std::vector<std::string> records;
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

// Files with one base name make outputs of the same names: they go to one
// child, in input order, whose run refuses the later one's outputs exactly
// as a run in one process does. Jobs are ordered by their first file.
std::vector<child_job> jobs_by_stem(const std::vector<std::string>& files)
{
    std::vector<child_job> jobs;
    std::map<std::string, std::size_t> jobOfStem;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto [it, fresh] = jobOfStem.try_emplace(fs::path(files[i]).stem().string(), jobs.size());
        if (fresh) jobs.emplace_back();
        jobs[it->second].files.push_back(i);
    }
    return jobs;
}

bool is_log_line(const std::string& record, const char* text)
{
    const auto decoded = decode_record(record);
    const auto* line = decoded ? std::get_if<std::string>(&*decoded) : nullptr;
    return line && *line == text;
}

} // namespace

run_tally run_in_parallel(const cli_options& options, const std::vector<std::string>& files, console_sink& sink)
{
    const std::string exe = fs::read_symlink("/proc/self/exe").string();
    std::vector<child_job> jobs = jobs_by_stem(files);
    const std::size_t total = jobs.size();
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
                std::vector<std::string> inputs;
                for (const std::size_t f : jobs[i].files) {
                    std::error_code ec;
                    inputs.push_back(fs::absolute(files[f], ec).string());
                }
                auto records = run_child(exe, child_arguments(options, inputs), mutex, running);
                std::lock_guard lock(mutex);
                jobs[i].records = std::move(records);
                jobs[i].done = true;
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
    int filesShown = 0;
    std::unique_lock lock(mutex);
    while (shown < total) {
        if (cancel && !forwarded) {
            // Each child stops at its next check and cleans up after itself.
            for (const pid_t pid : running) ::kill(pid, SIGTERM);
            forwarded = true;
        }
        if (!jobs[shown].done) {
            if (workersLeft == 0) { // cancelled: this one never started
                ++shown;
                continue;
            }
            changed.wait_for(lock, std::chrono::milliseconds(100));
            continue;
        }
        std::vector<std::string> records = std::move(jobs[shown].records);
        filesShown += static_cast<int>(jobs[shown].files.size());
        ++shown;
        lock.unlock();

        // The child's own start and end lines frame a run of its files; the
        // parent shows one frame around all of them.
        const bool completed = !records.empty() && is_log_line(records.back(), run_msg::kCompleted);
        if (completed) records.pop_back();
        if (!records.empty() && is_log_line(records.front(), run_msg::kStart)) records.erase(records.begin());
        for (const auto& record : records) sink.relay(record);
        if (!completed) {
            allCompleted = false;
            if (!records.empty()) sink.show_if_quiet(sink.last_line());
        }
        sink.progress(filesShown, static_cast<int>(files.size()),
                      shown < total ? files[jobs[shown].files.front()] : "");
        lock.lock();
    }
    lock.unlock();
    for (auto& worker : workers) worker.join();
    route_cancel_signals(nullptr);

    if (allCompleted) sink.printLog(run_msg::kCompleted);
    sink.tally.files = static_cast<int>(files.size());
    sink.tally.completed = allCompleted;
    return sink.tally;
}
