#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "batch/batch_reporter.h"
#include "cli/file_report.h"
#include "cli/report_log.h"

namespace vardane {

// Turns the records of a batch's tasks into one report line per input file,
// written the moment the file ends (its worker begins the next file or ends
// the task, or dies), not when the log gets round to showing it.
class file_reporter final : public batch_reporter {
public:
    file_reporter(report_log& log, std::vector<std::string> asked);

    void started(std::size_t task, const std::string& path) override;
    void record(std::size_t task, const child_record& record) override;
    void lost(std::size_t task, const lost_file& file) override;
    void ended(std::size_t task, bool cancelled) override;
    // A file that never reached a worker, such as a missing input.
    void failed_alone(const std::string& path, const std::string& why);
    // A file an earlier run finished.
    void skipped(file_report earlier);

private:
    struct open_file {
        file_report report;
        std::string lastLine;
        std::chrono::steady_clock::time_point start;
    };

    void finish(std::size_t task);

    report_log& log_;
    std::vector<std::string> asked_;
    std::map<std::size_t, open_file> open_;
};

} // namespace vardane
