#include "batch/worker_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "batch/fast_exit.h"

namespace vardane {

namespace {

// The worker's ends are kept at or above this until the fork, clear of the
// numbers they are given in the worker, so that laying them out cannot
// overwrite one with the other.
constexpr int kHighFd = 10;
// Exit status of a worker whose set-up failed or whose body threw.
constexpr int kWorkerBroken = 70;

void close_fd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

int moved_high(int fd)
{
    const int high = ::fcntl(fd, F_DUPFD_CLOEXEC, kHighFd);
    ::close(fd);
    return high;
}

// In the forked child: lays out the worker's descriptors and closes every
// other one it inherited, above all the other workers' task sockets, whose
// end of input would otherwise never come.
bool arrange_descriptors(int tasks, int channel)
{
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    // Libraries that print on standard output would break into the records;
    // the records have their own descriptor and the prints go nowhere.
    const bool ok = null >= 0 && ::dup2(tasks, STDIN_FILENO) == STDIN_FILENO
                    && ::dup2(null, STDOUT_FILENO) == STDOUT_FILENO && ::dup2(channel, kChannelFd) == kChannelFd;
    return ok && ::close_range(kChannelFd + 1, ~0U, 0) == 0;
}

[[noreturn]] void run_child(const std::function<int(pid_t)>& body, pid_t parent, int tasks, int channel)
{
    int status = kWorkerBroken;
    if (arrange_descriptors(tasks, channel)) {
        try {
            status = body(parent);
        } catch (...) {
            status = kWorkerBroken;
        }
    }
    // Straight out: the parent's buffered output and its exit handlers are
    // not the worker's to run.
    fast_exit(status);
}

// In the forked child of a parent with threads: only calls that are safe
// after such a fork (async-signal-safe ones) until the program starts.
[[noreturn]] void start_program(char* const* argv, int tasks, int channel)
{
    if (arrange_descriptors(tasks, channel)) ::execv(argv[0], argv);
    ::_exit(kWorkerBroken);
}

} // namespace

worker_process::worker_process(const worker_launcher& launcher)
{
    // Made before the fork: a child of a parent with threads may not
    // allocate.
    std::vector<std::string> args = launcher.argv;
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();

    int taskPair[2];
    int channelPipe[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, taskPair) != 0) return;
    if (::pipe2(channelPipe, O_CLOEXEC) != 0) {
        ::close(taskPair[0]);
        ::close(taskPair[1]);
        return;
    }
    const int workerTasks = moved_high(taskPair[1]);
    const int workerChannel = moved_high(channelPipe[1]);
    tasks_ = taskPair[0];
    channel_ = channelPipe[0];

    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!args.empty()) start_program(argv.data(), workerTasks, workerChannel);
        run_child(launcher.body, parent, workerTasks, workerChannel);
    }
    if (pid > 0) pid_ = pid;
    ::close(workerTasks);
    ::close(workerChannel);
    if (pid_ <= 0) {
        close_fd(tasks_);
        close_fd(channel_);
    }
}

worker_process::~worker_process()
{
    close_fd(tasks_);
    close_fd(channel_);
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        reap();
    }
}

bool worker_process::send_task(const std::string& line)
{
    const std::string text = line + '\n';
    std::size_t sent = 0;
    while (tasks_ >= 0 && sent < text.size()) {
        const ssize_t n = ::send(tasks_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            return false;
        }
    }
    return tasks_ >= 0;
}

void worker_process::close_tasks() { close_fd(tasks_); }

bool worker_process::read_lines(std::vector<std::string>& lines)
{
    char chunk[8192];
    ssize_t n;
    do {
        n = ::read(channel_, chunk, sizeof chunk);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return false;
    pending_.append(chunk, static_cast<std::size_t>(n));
    std::size_t start = 0;
    for (auto end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n', start)) {
        lines.push_back(pending_.substr(start, end - start));
        start = end + 1;
    }
    pending_.erase(0, start);
    return true;
}

void worker_process::kill(int signal)
{
    if (pid_ <= 0) return;
    sentKill_ = sentKill_ || signal == SIGKILL;
    ::kill(pid_, signal);
}

int worker_process::reap()
{
    int status = 0;
    if (pid_ <= 0) return status;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    pid_ = -1;
    return status;
}

std::string ending_of(int waitStatus, bool killedByParent)
{
    if (WIFSIGNALED(waitStatus) && WTERMSIG(waitStatus) == SIGKILL && !killedByParent) return kKilledEnding;
    if (WIFSIGNALED(waitStatus)) {
        const char* name = sigabbrev_np(WTERMSIG(waitStatus));
        return name ? std::string("SIG") + name : "signal " + std::to_string(WTERMSIG(waitStatus));
    }
    return "exit status " + std::to_string(WEXITSTATUS(waitStatus));
}

std::string crash_line(const std::string& ending)
{
    return ending == kKilledEnding ? ending : "conversion crashed (" + ending + ")";
}

} // namespace vardane
