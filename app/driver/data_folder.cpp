#include "app/driver/data_folder.h"

#include <filesystem>
#include <system_error>

#include "util/program_dir.h"

namespace fs = std::filesystem;

std::string clt_file(const std::string& name)
{
    const fs::path program = getCurrentDir();
    const fs::path candidates[] = {
        program / "clt",
        program / ".." / "share" / "vardane" / "clt",
        program / ".." / "clt",
    };
    for (const auto& folder : candidates) {
        std::error_code ec;
        if (fs::exists(folder / name, ec)) return (folder / name).lexically_normal().string();
    }
    return (candidates[0] / name).string();
}
