#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vardane {

// A file handed to a library that may go on writing after a write failed:
// libtiff rewrites its directory when the file is closed and, on a full
// disk, can walk a half-written directory chain for ever. After the first
// failed write the file is broken: every later write and read fails at once,
// so any loop of the library over the file ends, and the first error is kept
// for the writer to report (take_write_failure).
class guarded_file {
public:
    // access as for fopen: "r", "r+", "w", "w+", "a", "a+" (a "b" is ignored).
    // nullptr when the file cannot be opened.
    static std::unique_ptr<guarded_file> open(const std::string& path, const char* access);
    ~guarded_file();
    guarded_file(const guarded_file&) = delete;
    guarded_file& operator=(const guarded_file&) = delete;

    std::size_t read(void* buffer, std::size_t bytes);
    std::size_t write(const void* buffer, std::size_t bytes);
    // whence as for lseek; false for a position before the start.
    bool seek(std::int64_t offset, int whence);
    // Sets the file's length (GDAL extends a file to place blocks it has
    // not written yet); false once broken or when the file system refuses.
    bool truncate(std::uint64_t length);
    std::uint64_t tell() const { return position_; }
    std::uint64_t size() const;
    bool at_end() const { return atEnd_; }
    bool broken() const { return broken_; }

private:
    guarded_file(std::string path, int fd, bool append) : path_(std::move(path)), fd_(fd), append_(append) {}
    void fail(int error);

    std::string path_;
    int fd_;
    bool append_;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
    bool broken_ = false;
};

// The first write error met on path through a guarded file since the last
// call (for example "No space left on device"), forgotten once taken; ""
// when there was none.
std::string take_write_failure(const std::string& path);

// True when a guarded file on path met a write error that nobody took yet.
bool has_write_failure(const std::string& path);

// Room a TIFF needs beyond its image data: header, directory, georeferencing.
inline constexpr std::uint64_t kTiffHeaderRoom = 64 * 1024;

// False (with the reason in why) when the file system holding folder has
// fewer than bytes free for this process: a file of known size that cannot
// fit is not begun. True when the space cannot be told.
bool has_room_for(const std::string& folder, std::uint64_t bytes, std::string& why);

} // namespace vardane
