#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

// Files a writer makes only on the way to its result: each registered file
// is removed when the object goes, whichever way the writer leaves.
class temporary_files {
public:
    temporary_files() = default;
    temporary_files(const temporary_files&) = delete;
    temporary_files& operator=(const temporary_files&) = delete;
    ~temporary_files()
    {
        for (const auto& f : files_) {
            std::error_code ec;
            std::filesystem::remove(f, ec);
        }
    }

    const std::filesystem::path& add(std::filesystem::path file)
    {
        files_.push_back(std::move(file));
        return files_.back();
    }

private:
    std::vector<std::filesystem::path> files_;
};
