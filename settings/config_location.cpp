#include "settings/config_location.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "util/program_dir.h"

namespace vardane {

namespace {

constexpr const char* file_name = "vdn-config.dat";

bool is_writable_folder(const std::string& folder)
{
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// Per the XDG rules a relative $XDG_CONFIG_HOME is ignored.
std::string user_config_folder()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        return std::string(home) + "/.config";
    }
    return {};
}

} // namespace

std::string default_config_path() { return config_path_for(getCurrentDir()); }

std::string config_path_for(const std::string& program)
{
    // An installed program never writes into its installation, even as root.
    const bool installed = is_installed_layout(program);
    if (!installed && is_writable_folder(program)) return program + "/" + file_name;
    const std::string user = user_config_folder();
    if (!user.empty()) return user + "/vardane/" + file_name;
    // Nowhere better: a portable program keeps its own folder (saving will
    // fail and say so); an installed one has no settings file at all.
    return installed ? std::string() : program + "/" + file_name;
}

bool create_parent_folder(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (parent.empty()) return true;
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    return std::filesystem::is_directory(parent, ec);
}

} // namespace vardane
