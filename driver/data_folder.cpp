#include "driver/data_folder.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <system_error>

#include "util/program_dir.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

std::array<fs::path, 3> program_candidates()
{
    const fs::path program = getCurrentDir();
    return {program / "clt", program / ".." / "share" / "vardane" / "clt", program / ".." / "clt"};
}

bool present(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(p, ec);
}

bool is_writable_folder(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

fs::path program_clt_folder()
{
    const auto candidates = program_candidates();
    for (const auto& folder : candidates) {
        if (present(folder)) return folder.lexically_normal();
    }
    return candidates[0];
}

fs::path user_clt_folder()
{
    // A relative $XDG_DATA_HOME is to be ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
        return fs::path(xdg) / "vardane" / "clt";
    }
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        return fs::path(home) / ".local" / "share" / "vardane" / "clt";
    }
    return {};
}

fs::path custom_clt_folder()
{
    // An installed program never writes into its installation, not even
    // when it could (run as root).
    const fs::path program = program_clt_folder();
    if (!is_installed_layout(getCurrentDir()) && is_writable_folder(program)) return program;
    const fs::path user = user_clt_folder();
    return user.empty() ? program : user;
}

clt_folders custom_table_folders() { return {custom_clt_folder(), program_clt_folder()}; }

clt_written make_custom_table(const std::string& name, const optSet_t& option)
{
    const clt_folders folders = custom_table_folders();
    std::error_code ec;
    fs::create_directories(folders.tables, ec);
    return create_clt(folders, option.cb_min, option.cb_max, 0.0f, option.cb_log ? "Log" : "Linear", name);
}

std::string clt_file(const std::string& name)
{
    const fs::path user = user_clt_folder();
    if (!user.empty() && present(user / name)) return (user / name).string();
    return (program_clt_folder() / name).string();
}

} // namespace vardane
