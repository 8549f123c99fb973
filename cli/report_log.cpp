#include "cli/report_log.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vardane {

report_log::report_log(const std::string& path)
    // Read as well: an append looks at the last byte first. A report one may
    // only write to is written without that look.
    : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644))
{
    if (fd_ < 0 && errno == EACCES) fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

report_log::~report_log()
{
    if (fd_ >= 0) ::close(fd_);
}

namespace {

// True when the file ends in the middle of a line: an earlier writer was
// killed while writing its record.
bool ends_mid_line(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size == 0) return false;
    char last = '\n';
    return ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n';
}

} // namespace

bool report_log::append(const file_report& report)
{
    if (fd_ < 0) return allWritten_ = false;
    // A record glued to the remains of a torn one would be lost with it.
    const std::string line = (ends_mid_line(fd_) ? "\n" : "") + to_json_line(report) + '\n';
    ssize_t n = -1;
    do {
        n = ::write(fd_, line.data(), line.size());
    } while (n < 0 && errno == EINTR);
    if (n != static_cast<ssize_t>(line.size())) allWritten_ = false;
    return allWritten_;
}

std::map<std::string, file_report> read_report(const std::string& path, std::ostream& warnings)
{
    std::map<std::string, file_report> records;
    std::ifstream in(path);
    std::size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty()) continue;
        if (auto record = from_json_line(line)) {
            records.insert_or_assign(record->input, std::move(*record));
        } else {
            warnings << "vardane-cli: " << path << " line " << number << " is no whole record, passed over\n";
        }
    }
    return records;
}

} // namespace vardane
