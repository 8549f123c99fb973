#pragma once

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "batch/batch_cancel.h"
#include "batch/batch_options.h"

namespace vardane {

class MainForm;

// How a batch of the window ended, for its summary.
struct batch_outcome {
    int filesBegun = 0; // files a worker began: fewer than asked after a cancel
    bool completed = true;
    bool cancelled = false;
};

// The window's run: the worker-process pool of the command line, run on a
// thread of its own, each worker a fresh start of `program` (the window's
// own program in its worker mode: a process with threads must not convert
// in a fork of itself). Everything the pool reports is posted to the
// window's UI thread, in order: log lines, listed outputs, progress and
// events (MainForm::count_event); a file whose worker died or was killed
// arrives as a failure event naming the file and the cause. The end comes
// last, as MainForm::run_ended.
//
// The window keeps its signals as they are: the command line's signal gate
// blocks SIGINT/SIGTERM in the thread that opens it, which in the window
// would be this thread alone, while a signal to the process goes to any
// thread that does not block it (Qt's among them). A window ended by a
// signal ends its workers all the same: each gets a cancel signal when its
// parent dies (batch/orphan_guard.h), abandons its file and cleans up.
class window_batch {
public:
    explicit window_batch(MainForm& form) : form_(form) {}
    // Cancels a batch that still runs and waits for it.
    ~window_batch();
    window_batch(const window_batch&) = delete;
    window_batch& operator=(const window_batch&) = delete;

    // Starts converting `files`; the last batch must have ended.
    void start(const batch_options& options, const std::string& program, std::vector<std::string> files);
    // From the UI thread, any number of times: the workers stop at their
    // next cancel check; the outputs of the files they were in go.
    void cancel() noexcept;
    bool cancel_requested() const noexcept;
    // Waits for the batch's thread; at once after its end was posted.
    void join();

private:
    void run(batch_options options, std::string program, std::vector<std::string> files);

    MainForm& form_;
    std::unique_ptr<batch_cancel> cancel_;
    std::thread thread_;
};

} // namespace vardane
