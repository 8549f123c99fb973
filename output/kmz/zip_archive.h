#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <zip.h>

namespace vardane {

// A zip archive being written with libzip. Files are added at the top level
// under the names given and read from disk when the archive is saved, so
// they must exist until save(). An archive that is never saved (or fails
// to save) leaves no file behind.
class zip_archive {
public:
    // Creates (replacing) the archive at path; check is_open().
    explicit zip_archive(const std::filesystem::path& path);

    bool is_open() const { return zip_ != nullptr; }
    // Adds the file at `source` as the top-level entry `entry`.
    bool add_file(const std::string& entry, const std::filesystem::path& source);
    // Writes the archive; true when it is complete on disk.
    bool save();
    // libzip's words on the last refusal; "" when nothing was refused.
    const std::string& error() const { return error_; }

private:
    struct discarder {
        void operator()(zip_t* z) const { zip_discard(z); }
    };
    // Keeps libzip's words on the archive's last error.
    void keep_error();

    std::filesystem::path path_;
    std::unique_ptr<zip_t, discarder> zip_;
    std::string error_;
};

} // namespace vardane
