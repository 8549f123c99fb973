#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace vardane {

// A data file written under a temporary name beside its final one and put
// in place by a rename: a reader (another vardane-cli worker using the same
// table) sees the old file or the whole new one, never half of it. A file
// not committed is removed.
class replaced_file {
public:
    explicit replaced_file(std::filesystem::path final)
        : final_(std::move(final)), temporary_(final_.string() + ".part-" + std::to_string(::getpid()))
    {
    }
    replaced_file(const replaced_file&) = delete;
    replaced_file& operator=(const replaced_file&) = delete;
    ~replaced_file()
    {
        std::error_code ec;
        if (!committed_) std::filesystem::remove(temporary_, ec);
    }

    // Where to write.
    const std::filesystem::path& path() const { return temporary_; }

    // Puts the written file in place of the final one.
    bool commit()
    {
        std::error_code ec;
        std::filesystem::rename(temporary_, final_, ec);
        committed_ = !ec;
        return committed_;
    }

private:
    std::filesystem::path final_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

} // namespace vardane
