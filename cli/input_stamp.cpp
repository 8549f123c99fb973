#include "cli/input_stamp.h"

#include <sys/stat.h>

namespace vardane {

std::optional<input_stamp> stamp_of(const std::string& path)
{
    // stat(2) rather than std::filesystem: its clock's epoch is the
    // library's choice, a report's times are read by other programs.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    constexpr std::int64_t kNsPerSecond = 1'000'000'000;
    return input_stamp{static_cast<std::uintmax_t>(st.st_size),
                       static_cast<std::int64_t>(st.st_mtim.tv_sec) * kNsPerSecond + st.st_mtim.tv_nsec};
}

} // namespace vardane
