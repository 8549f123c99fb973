#include "util/program_dir.h"

#include <filesystem>
#include <system_error>

namespace vardane {

std::string getCurrentDir()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path().string();
}

bool is_installed_layout(const std::string& programFolder)
{
    if (programFolder.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(programFolder) / ".." / "share" / "vardane", ec);
}

} // namespace vardane
