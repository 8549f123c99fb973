#pragma once

#include <map>
#include <ostream>
#include <string>

#include "cli/file_report.h"

namespace vardane {

// The report file of a run, opened for appending. Every record is one
// write(2) of one line with O_APPEND, so a record is never interleaved with
// another writer's and a run killed in the middle leaves whole lines only
// (at worst one line cut short, which readers pass over). A record written
// after such a line begins on a line of its own.
class report_log {
public:
    explicit report_log(const std::string& path);
    ~report_log();
    report_log(const report_log&) = delete;
    report_log& operator=(const report_log&) = delete;

    bool is_open() const { return fd_ >= 0; }
    // False when the line could not be written whole.
    bool append(const file_report& report);
    // False once a record was lost.
    bool all_written() const { return allWritten_; }

private:
    int fd_;
    bool allWritten_ = true;
};

// The last record of every input in a report file; empty when there is no
// such file yet. A line that is no record (cut short by a crash) is passed
// over with a warning on `warnings` naming the file and the line.
std::map<std::string, file_report> read_report(const std::string& path, std::ostream& warnings);

} // namespace vardane
