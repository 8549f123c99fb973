#pragma once

#include <cstdint>
#include <string>

#include <sys/stat.h>

namespace vardane {

// What tells one state of a file from another without reading it: a file
// replaced by another (a new inode) or written anew in place (its size or
// modification time). What the module keeps of a file between calls is
// used again only for the same state.
struct file_state {
    std::string path;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const file_state&) const = default;
};

inline file_state state_of(const std::string& path)
{
    file_state state{path};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return state;
    state.device = st.st_dev;
    state.inode = st.st_ino;
    state.size = st.st_size;
    state.modifiedSeconds = st.st_mtim.tv_sec;
    state.modifiedNanoseconds = st.st_mtim.tv_nsec;
    return state;
}

} // namespace vardane
