#pragma once

#include <chrono>
#include <string>

namespace vardane {

// A file its worker did not finish: the worker died in it, or was killed
// because the file took longer than its limit. Either way the file is a
// failure and its outputs are discarded.
struct lost_file {
    std::string path;
    std::string line;  // "conversion crashed (SIGSEGV)", "timed out after 120 s"
    std::string cause; // "SIGSEGV", "exit status 3", "timed out after 120 s"
};

// The worker ended on its own; `waitStatus` as waitpid gives it.
lost_file crashed_in(const std::string& path, int waitStatus);
// The worker was killed when the file's limit ran out.
lost_file timed_out_in(const std::string& path, std::chrono::seconds limit);

} // namespace vardane
