#include "driver/working_folder.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace vardane {

namespace fs = std::filesystem;

bool prepare_working_folder(const fs::path& folder, std::string* why)
{
    const auto refuse = [why](std::string cause) {
        if (why) *why = std::move(cause);
        return false;
    };
    if (folder.empty() || !folder.is_absolute()) return refuse("the working folder has no full path");
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    fs::create_directory(folder, ec);
    if (ec) return refuse(ec.message());
    return fs::is_directory(folder, ec) || refuse("the name is taken by a file");
}

void empty_folder(const fs::path& folder) noexcept
{
    if (folder.empty()) return;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (it->is_directory(entryError) || it->path().filename() == kWorkFolderLockName) continue;
        fs::remove(it->path(), entryError);
    }
}

void move_file_replacing(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) return;
    if (ec != std::errc::cross_device_link) throw fs::filesystem_error("cannot move file", from, to, ec);

    fs::path hidden = to;
    hidden.replace_filename("." + to.filename().string() + ".part-" + std::to_string(::getpid()));
    try {
        fs::copy_file(from, hidden, fs::copy_options::overwrite_existing);
        fs::rename(hidden, to);
    } catch (...) {
        std::error_code ignored;
        fs::remove(hidden, ignored);
        throw;
    }
    fs::remove(from);
}

fs::path user_work_parent()
{
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/') return fs::path(cache) / "vardane";
    if (const char* home = std::getenv("HOME"); home && *home == '/') return fs::path(home) / ".cache" / "vardane";
    std::error_code ec;
    return fs::temp_directory_path(ec) / "vardane";
}

} // namespace vardane
