#include "cli/report_log.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace vardane {

report_log::report_log(const std::string& path)
    : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644))
{
}

report_log::~report_log()
{
    if (fd_ >= 0) ::close(fd_);
}

bool report_log::append(const file_report& report)
{
    if (fd_ < 0) return allWritten_ = false;
    const std::string line = to_json_line(report) + '\n';
    ssize_t n = -1;
    do {
        n = ::write(fd_, line.data(), line.size());
    } while (n < 0 && errno == EINTR);
    if (n != static_cast<ssize_t>(line.size())) allWritten_ = false;
    return allWritten_;
}

std::map<std::string, file_report> read_report(const std::string& path)
{
    std::map<std::string, file_report> records;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (auto record = from_json_line(line)) records.insert_or_assign(record->input, std::move(*record));
    }
    return records;
}

} // namespace vardane
