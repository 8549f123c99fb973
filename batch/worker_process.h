#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vardane {

// The parent's handle on one worker process: a fork of this process that
// runs `body` with its standard input a socket that takes tasks, its
// standard output /dev/null and its channel descriptor a pipe of records,
// and ends with body's return value. The handle owns the process: one that
// is still alive when the handle goes is killed and reaped, so no worker
// outlives the run; and a worker learns of its parent's death by a cancel
// signal (see orphan_guard.h), so none outlives a parent that was killed.
//
// A fork rather than a fresh start of the program: the libraries are loaded
// and relocated once, in the parent, which halves the start-up of a
// one-file run and makes each further worker nearly free. The parent must
// not have started threads or initialised the conversion libraries when it
// forks; the worker initialises them for itself.
class worker_process {
public:
    // Starts a worker; check started().
    explicit worker_process(const std::function<int()>& body);
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
