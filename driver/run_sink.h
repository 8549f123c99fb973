#pragma once

#include <string>

#include "driver/run_event.h"

namespace vardane {

// Where the run driver reports to. The window posts each call to its UI
// thread (asynchronously, in order); the command-line front end prints.
// All calls come from the worker thread except where noted.
class run_sink {
public:
    virtual ~run_sink() = default;

    // One log line, appended.
    virtual void printLog(const std::string& text) = 0;
    // Empty the log, then append one line (first line of a run).
    virtual void printNewLog(const std::string& text) = 0;
    // A file arrived in the output folder (full path).
    virtual void append_outputList(const std::string& path) = 0;
    // Switch between running (true) and idle (false).
    virtual void ChangeRunMode(bool running) = 0;
    // Progress: files finished of files to do, and the file now in progress
    // ("" once the last file is done). Default: ignored.
    virtual void progress(int /*done*/, int /*total*/, const std::string& /*current*/) {}
    // A countable fact of the run; it follows the log line that tells it.
    // Default: ignored.
    virtual void report(const run_event& /*event*/) {}
};

} // namespace vardane
