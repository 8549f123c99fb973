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

// The worker ended on its own, or never started; `ending` says how:
// "SIGSEGV", "exit status 3", "no worker process".
lost_file crashed_in(const std::string& path, const std::string& ending);
// The worker was killed when the file's limit ran out.
lost_file timed_out_in(const std::string& path, std::chrono::seconds limit);

} // namespace vardane
