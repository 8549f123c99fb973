#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "output/partial_file.h"

namespace vardane {

// Removes the file of that name, if any. A folder that happens to carry the
// name is not ours to remove, even when empty.
inline void remove_if_file(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(path, ec)) discard_partial_file(path);
}

// Files a writer makes on its way to a result. Every file added is removed
// when the object goes, on success, failure or exception alike, unless it
// was kept as a result.
class temporary_files {
public:
    temporary_files() = default;
    temporary_files(const temporary_files&) = delete;
    temporary_files& operator=(const temporary_files&) = delete;
    ~temporary_files()
    {
        for (const std::string& path : paths_) remove_if_file(path);
    }

    // Adds path and returns it; a stale file of that name is removed now.
    std::string add(const std::string& path)
    {
        remove_if_file(path);
        paths_.push_back(path);
        return path;
    }

    // The results stay; everything else still goes.
    void keep(const std::vector<std::string>& results)
    {
        std::erase_if(paths_, [&](const std::string& p) {
            for (const std::string& r : results) {
                if (r == p) return true;
            }
            return false;
        });
    }

private:
    std::vector<std::string> paths_;
};

// A file of the given name in the folder of sibling.
inline std::string beside(const std::string& sibling, const std::string& name)
{
    return (std::filesystem::path(sibling).parent_path() / name).string();
}

} // namespace vardane
