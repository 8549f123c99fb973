#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "driver/run_sink.h"
#include "batch/child_channel.h"

namespace vardane {

// The run sink of a worker process: every log line and event of the driver
// becomes a record on the channel to the parent. The run's own frame (its
// start line and "Completed.") stays here: the parent draws one frame
// around the whole batch, and learns how a task ended from its end record.
class worker_sink : public run_sink {
public:
    // `productKind` names the kind of the file just recognised; it is asked
    // on the run's own thread, right after the file was identified.
    worker_sink(int channelFd, std::function<std::string()> productKind);
    ~worker_sink() override;
    worker_sink(const worker_sink&) = delete;
    worker_sink& operator=(const worker_sink&) = delete;

    void printLog(const std::string& text) override;
    void printNewLog(const std::string& text) override;
    void append_outputList(const std::string&) override {}
    // A run ends by switching back to idle, on every path; only its last
    // line (or the exception's) follows.
    void ChangeRunMode(bool running) override;
    void progress(int done, int total, const std::string& current) override;
    void report(const run_event& event) override;

    void send(const child_record& record);
    // False once a write failed: the parent is gone.
    bool connected() const { return connected_; }
    bool run_ended() const { return runEnded_; }
    // True once a file failed for want of memory: what the libraries keep
    // after such a failure (free lists, a fragmented heap) can starve the
    // next file, which a fresh worker converts instead.
    bool memory_failed() const { return memoryFailed_; }
    // Readable once the run has ended, for a poll beside the signals.
    int ended_fd() const { return endedFd_; }

private:
    int fd_;
    std::function<std::string()> productKind_;
    std::string currentFile_; // the input being converted, on the run's thread
    int endedFd_;
    std::atomic<bool> connected_{true};
    std::atomic<bool> runEnded_{false};
    std::atomic<bool> memoryFailed_{false};
};

} // namespace vardane
