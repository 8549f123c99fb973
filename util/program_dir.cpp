#include "util/program_dir.h"

#include <filesystem>
#include <system_error>

std::string getCurrentDir()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path().string();
}
