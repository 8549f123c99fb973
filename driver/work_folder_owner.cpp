// Who owns a working folder: its name, its lock, and the sweep of folders
// whose owner is gone.
#include "driver/working_folder.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace vardane {

namespace fs = std::filesystem;

namespace {

// Marks a folder a sweeper took away to remove: it is moved to such a name
// first, so a new owner of the old name never meets a half-removed folder.
// No origin begins so (host names are letters, digits, '.', '_' and '-').
constexpr const char* kRemovalMark = "~gone-";
// Stands for a field of the origin that could not be read (no field
// holds it otherwise); an origin with it is never taken for this one's.
constexpr const char* kUnknownField = "~";

// ASCII letters and digits, '.', '_' and '-' stay, whatever the locale;
// anything else becomes '_'.
std::string file_name_characters(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'
                           || c == '_' || c == '-';
        out += plain ? c : '_';
    }
    return out;
}

std::string host_field()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return kUnknownField;
    return file_name_characters(name);
}

// The kernel's id of this boot, its hex digits only.
std::string boot_field()
{
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(file, id);
    std::string digits;
    for (const char c : id) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) digits += c;
    }
    return digits.empty() ? kUnknownField : digits;
}

// The PID namespace's inode number ("pid:[4026531836]"): process ids of two
// namespaces on one host and boot are unrelated.
std::string pid_namespace_field()
{
    char link[64] = {};
    const ssize_t n = ::readlink("/proc/self/ns/pid", link, sizeof link - 1);
    std::string digits;
    for (ssize_t i = 0; i < n; ++i) {
        if (link[i] >= '0' && link[i] <= '9') digits += link[i];
    }
    return digits.empty() ? kUnknownField : digits;
}

bool certain(const std::string& origin) { return origin.find(kUnknownField) == std::string::npos; }

bool same_file(int fd, const fs::path& path)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev
           && opened.st_ino == named.st_ino;
}

// Opens and locks a lock file without waiting: the descriptor, or -1 with
// errno ENOENT when there is no such file (nor, with O_CREAT, its folder),
// EEXIST when O_EXCL found one, EWOULDBLOCK when another holds the lock or
// the file is no longer the one of that name once locked, and flock's own
// error when the file system cannot lock.
int lock_without_waiting(const fs::path& lockFile, int openFlags)
{
    const int fd = ::open(lockFile.c_str(), openFlags | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    // A lock taken on a file a sweeper already removed or replaced guards
    // nothing.
    if (!same_file(fd, lockFile)) {
        ::close(fd);
        errno = EWOULDBLOCK;
        return -1;
    }
    return fd;
}

// The process id the name carries after prefix + this origin; 0 for any
// other name.
pid_t own_origin_pid(const std::string& name, const std::string& prefix)
{
    const std::string origin = work_folder_origin();
    const std::string head = prefix + origin;
    if (!certain(origin) || name.size() <= head.size() || name.compare(0, head.size(), head) != 0) return 0;
    long pid = 0;
    const char* first = name.data() + head.size();
    const char* last = name.data() + name.size();
    const auto [end, ec] = std::from_chars(first, last, pid);
    if (ec != std::errc() || end != last || pid <= 0) return 0;
    return static_cast<pid_t>(pid);
}

bool process_gone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Moves the folder out of its name, then removes it; true when the name is
// free. The caller holds the folder's lock throughout.
bool take_away(const fs::path& folder, const std::string& prefix) noexcept
{
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    const fs::path gone =
        folder.parent_path() / (prefix + kRemovalMark + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::rename(folder, gone, ec);
    if (!ec) {
        fs::remove_all(gone, ec);
        return true;
    }
    fs::remove_all(folder, ec);
    return !ec;
}

} // namespace

std::string work_folder_origin() { return host_field() + "-" + boot_field() + "-" + pid_namespace_field() + "-"; }

fs::path process_work_folder(const fs::path& parent, const std::string& prefix)
{
    return process_work_folder(parent, prefix, static_cast<int>(::getpid()));
}

fs::path process_work_folder(const fs::path& parent, const std::string& prefix, int pid)
{
    return parent / (prefix + work_folder_origin() + std::to_string(pid));
}

owned_work_folder::owned_work_folder(const fs::path& parent, const std::string& prefix)
    : folder_(process_work_folder(parent, prefix)), prefix_(prefix), ownerPid_(static_cast<int>(::getpid()))
{
    // A folder of this name is left by a killed process that had this id
    // before. Its lock may be held for a moment by a sweeper taking it away:
    // then the folder is made again.
    constexpr int kAttempts = 200;
    const timespec pause{0, 10'000'000};
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (::mkdir(folder_.c_str(), 0777) != 0 && errno != EEXIST) return;
        lockFd_ = lock_without_waiting(folder_ / kWorkFolderLockName, O_RDWR | O_CREAT);
        if (held()) return;
        if (errno != EWOULDBLOCK && errno != ENOENT) return;
        ::nanosleep(&pause, nullptr);
    }
}

owned_work_folder::~owned_work_folder()
{
    if (!held()) return;
    // A forked child that ends leaves the owner's folder alone, and it does
    // not unlock: the lock belongs to the open file they share.
    if (static_cast<int>(::getpid()) == ownerPid_) take_away(folder_, prefix_);
    ::close(lockFd_);
}

bool remove_stale_work_folder(const fs::path& folder, const std::string& prefix) noexcept
{
    const std::string name = folder.filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(folder, ec))) return false;
    if (std::string_view(name).substr(prefix.size()).starts_with(kRemovalMark)) {
        // Left by a sweeper that did not finish.
        fs::remove_all(folder, ec);
        return !ec;
    }
    const fs::path lockFile = folder / kWorkFolderLockName;
    int fd = lock_without_waiting(lockFile, O_RDONLY);
    if (fd < 0 && errno == ENOENT) {
        // No lock file: the name is all there is to judge by, and only a
        // name of this origin says something about a process. The sweeper
        // makes the lock file itself and holds it while it judges and
        // removes, so an owner that comes for the name meanwhile waits
        // for the folder to go and makes it again.
        const pid_t owner = own_origin_pid(name, prefix);
        if (owner == 0) return false;
        fd = lock_without_waiting(lockFile, O_RDONLY | O_CREAT | O_EXCL);
        if (fd >= 0 && !process_gone(owner)) {
            ::unlink(lockFile.c_str());
            ::close(fd);
            return false;
        }
    }
    if (fd < 0) return false;
    const bool removed = take_away(folder, prefix);
    ::close(fd);
    return removed;
}

void sweep_stale_work_folders(const fs::path& parent, const std::string& prefix) noexcept
{
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        remove_stale_work_folder(it->path(), prefix);
    }
}

} // namespace vardane
