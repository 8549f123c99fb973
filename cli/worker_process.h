#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// The parent's handle on one worker process: this program started with the
// worker arguments, its standard input a socket that takes tasks and its
// channel descriptor a pipe of records. The handle owns the process: one
// that is still alive when the handle goes is killed and reaped, so no
// worker outlives the run.
class worker_process {
public:
    // Starts a worker; check started().
    explicit worker_process(const std::vector<std::string>& arguments);
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
    void kill(int signal) const;
    // Waits for the process (after the end of its channel) and returns its
    // wait status.
    int reap();

private:
    pid_t pid_ = -1;
    int tasks_ = -1;
    int channel_ = -1;
    std::string pending_;
};

// How a worker ended, for the failure line of its file: "SIGSEGV", or
// "exit status 3".
std::string ending_of(int waitStatus);
