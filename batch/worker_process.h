#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vardane {

// How a worker process starts: either a fork of this process that runs
// `body` (given the parent's process id, taken before the fork) and ends
// with its return value, or, when `argv` is not empty, a fork that at once
// starts the program argv[0] with those arguments. A parent that has
// threads (the window) must start programs: a fork copies only the thread
// that forks, and the locks the others held stay locked in the copy.
struct worker_launcher {
    std::function<int(pid_t parent)> body;
    std::vector<std::string> argv;
};

// The parent's handle on one worker process, started by a launcher with its
// standard input a socket that takes tasks, its standard output /dev/null
// and its channel descriptor (kChannelFd) a pipe of records. The handle owns the process: one that
// is still alive when the handle goes is killed and reaped, so no worker
// outlives the run; and a worker learns of its parent's death by a cancel
// signal (see orphan_guard.h), so none outlives a parent that was killed.
//
// The command line forks rather than starting the program afresh: the
// libraries are loaded and relocated once, in the parent, which halves the
// start-up of a one-file run and makes each further worker nearly free.
// Such a parent must not have started threads or initialised the
// conversion libraries when it forks; the worker initialises them for
// itself.
class worker_process {
public:
    // Starts a worker; check started().
    explicit worker_process(const worker_launcher& launcher);
    ~worker_process();
    worker_process(const worker_process&) = delete;
    worker_process& operator=(const worker_process&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Readable when records (or the end of the worker) wait.
    int channel_fd() const { return channel_; }

    // False when the worker can no longer take tasks.
    bool send_task(const std::string& line);
    // No more tasks: the worker ends after its current one.
    void close_tasks();
    // Reads what the channel holds; complete lines go to `lines`. False at
    // the end of the channel: the worker has ended or is ending.
    bool read_lines(std::vector<std::string>& lines);
    void kill(int signal);
    // True once this handle sent SIGKILL: a SIGKILL it did not send came
    // from elsewhere, most likely the kernel's OOM killer.
    bool killed_by_parent() const { return sentKill_; }
    // Waits for the process (after the end of its channel) and returns its
    // wait status.
    int reap();

private:
    pid_t pid_ = -1;
    int tasks_ = -1;
    int channel_ = -1;
    std::string pending_;
    bool sentKill_ = false;
};

// The descriptor on which a worker writes its records.
inline constexpr int kChannelFd = 3;

// Ending of a worker killed by a SIGKILL that the parent did not send: the
// kernel's OOM killer (or a batch system's memory limit) sends it.
inline constexpr const char* kKilledEnding = "killed (out of memory?)";

// How a worker ended, for the failure of its file: "SIGSEGV", "exit status
// 3", or kKilledEnding.
std::string ending_of(int waitStatus, bool killedByParent);

// The failure line of a file whose worker ended so: "conversion crashed
// (SIGSEGV)"; kKilledEnding says it alone.
std::string crash_line(const std::string& ending);

} // namespace vardane
