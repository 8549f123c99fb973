#include "output/kmz/zip_archive.h"

#include <system_error>

namespace vardane {

namespace {
// Length -1: the file from the start to its end (ZIP_LENGTH_TO_END of later
// libzip versions).
constexpr zip_int64_t kWholeFile = -1;

struct zip_error_text {
    zip_error_t error;
    explicit zip_error_text(int code) { zip_error_init_with_code(&error, code); }
    ~zip_error_text() { zip_error_fini(&error); }
    zip_error_text(const zip_error_text&) = delete;
    zip_error_text& operator=(const zip_error_text&) = delete;
};
} // namespace

zip_archive::zip_archive(const std::filesystem::path& path) : path_(path)
{
    int code = 0;
    zip_.reset(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!zip_) {
        zip_error_text text(code);
        error_ = zip_error_strerror(&text.error);
    }
}

void zip_archive::keep_error() { error_ = zip_ ? zip_strerror(zip_.get()) : "zip archive not open"; }

bool zip_archive::add_file(const std::string& entry, const std::filesystem::path& source)
{
    if (!zip_) return false;
    zip_source_t* src = zip_source_file(zip_.get(), source.c_str(), 0, kWholeFile);
    if (src == nullptr) {
        keep_error();
        return false;
    }
    // Entries take the names the file system took: UTF-8 names are marked
    // so, any other bytes are stored as they are.
    if (zip_file_add(zip_.get(), entry.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_GUESS) < 0) {
        keep_error();
        zip_source_free(src); // not taken over by the archive
        return false;
    }
    return true;
}

bool zip_archive::save()
{
    if (!zip_) return false;
    if (zip_close(zip_.get()) != 0) {
        keep_error();
        // The archive stays open on failure; discarding it writes nothing.
        zip_.reset();
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        return false;
    }
    (void)zip_.release(); // closed and freed by zip_close
    std::error_code ec;
    if (std::filesystem::is_regular_file(path_, ec)) return true;
    error_ = "the archive is not on disk after closing";
    return false;
}

} // namespace vardane
