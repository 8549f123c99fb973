#include "output/guarded_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace vardane {

namespace {

std::mutex failuresMutex;
std::map<std::string, std::string>& failures()
{
    static std::map<std::string, std::string> byPath;
    return byPath;
}

int open_flags(const std::string& access, bool& append)
{
    const bool update = access.find('+') != std::string::npos;
    append = false;
    switch (access.empty() ? 'r' : access[0]) {
    case 'w': return (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
    case 'a': append = true; return (update ? O_RDWR : O_WRONLY) | O_CREAT;
    default: return update ? O_RDWR : O_RDONLY;
    }
}

} // namespace

std::unique_ptr<guarded_file> guarded_file::open(const std::string& path, const char* access)
{
    bool append = false;
    const int fd = ::open(path.c_str(), open_flags(access ? access : "r", append) | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    if (open_flags(access ? access : "r", append) != O_RDONLY) {
        // A failure of an earlier file of this name is not this one's.
        const std::lock_guard lock(failuresMutex);
        failures().erase(path);
    }
    return std::unique_ptr<guarded_file>(new guarded_file(path, fd, append));
}

guarded_file::~guarded_file()
{
    // A file system may report a deferred write error only at close.
    if (::close(fd_) != 0 && !broken_) fail(errno);
}

void guarded_file::fail(int error)
{
    broken_ = true;
    const std::lock_guard lock(failuresMutex);
    failures().try_emplace(path_, std::strerror(error));
}

std::size_t guarded_file::read(void* buffer, std::size_t bytes)
{
    if (broken_) return 0;
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t got =
            ::pread(fd_, static_cast<char*>(buffer) + done, bytes - done, static_cast<off_t>(position_ + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            atEnd_ = got == 0;
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    position_ += done;
    return done;
}

std::size_t guarded_file::write(const void* buffer, std::size_t bytes)
{
    if (broken_) return 0;
    if (append_) position_ = size();
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t put =
            ::pwrite(fd_, static_cast<const char*>(buffer) + done, bytes - done, static_cast<off_t>(position_ + done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            // A short write without an error code still means the device is full.
            fail(put < 0 ? errno : ENOSPC);
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    position_ += done;
    return done;
}

bool guarded_file::seek(std::int64_t offset, int whence)
{
    std::int64_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<std::int64_t>(position_);
    if (whence == SEEK_END) base = static_cast<std::int64_t>(size());
    if (base + offset < 0) return false;
    position_ = static_cast<std::uint64_t>(base + offset);
    atEnd_ = false;
    return true;
}

bool guarded_file::truncate(std::uint64_t length)
{
    if (broken_) return false;
    if (::ftruncate(fd_, static_cast<off_t>(length)) == 0) return true;
    fail(errno);
    return false;
}

std::uint64_t guarded_file::size() const
{
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

std::string take_write_failure(const std::string& path)
{
    const std::lock_guard lock(failuresMutex);
    const auto it = failures().find(path);
    if (it == failures().end()) return {};
    std::string why = std::move(it->second);
    failures().erase(it);
    return why;
}

bool has_write_failure(const std::string& path)
{
    const std::lock_guard lock(failuresMutex);
    return failures().count(path) > 0;
}

bool has_room_for(const std::string& folder, std::uint64_t bytes, std::string& why)
{
    struct statvfs fs {};
    if (::statvfs(folder.empty() ? "." : folder.c_str(), &fs) != 0) return true;
    // The blocks a file system keeps back are root's to use.
    const auto blocks = ::geteuid() == 0 ? fs.f_bfree : fs.f_bavail;
    const auto room = static_cast<std::uint64_t>(blocks) * fs.f_frsize;
    if (room >= bytes) return true;
    why = std::strerror(ENOSPC);
    return false;
}

} // namespace vardane
