#include "app/driver/working_folder.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

bool enter_working_folder(const fs::path& given)
{
    std::error_code ec;
    // Resolve before changing directory: a relative name means the same
    // folder afterwards.
    const fs::path folder = fs::absolute(given, ec);
    if (ec || given.empty()) return false;
    if (!fs::is_directory(folder, ec)) fs::create_directories(folder, ec);
    fs::current_path(folder, ec);
    if (ec) return false;
    return fs::equivalent(fs::current_path(ec), folder, ec) && !ec;
}

void empty_folder(const fs::path& folder) noexcept
{
    if (folder.empty()) return;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (it->is_directory(entryError)) continue;
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
