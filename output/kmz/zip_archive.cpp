#include "output/kmz/zip_archive.h"

#include <system_error>

namespace vardane {

namespace {
// Length -1: the file from the start to its end (ZIP_LENGTH_TO_END of later
// libzip versions).
constexpr zip_int64_t kWholeFile = -1;
} // namespace

zip_archive::zip_archive(const std::filesystem::path& path) : path_(path)
{
    int error = 0;
    zip_.reset(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
}

bool zip_archive::add_file(const std::string& entry, const std::filesystem::path& source)
{
    if (!zip_) return false;
    zip_source_t* src = zip_source_file(zip_.get(), source.c_str(), 0, kWholeFile);
    if (src == nullptr) return false;
    if (zip_file_add(zip_.get(), entry.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(src); // not taken over by the archive
        return false;
    }
    return true;
}

bool zip_archive::save()
{
    if (!zip_) return false;
    if (zip_close(zip_.get()) != 0) {
        // The archive stays open on failure; discarding it writes nothing.
        zip_.reset();
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        return false;
    }
    (void)zip_.release(); // closed and freed by zip_close
    std::error_code ec;
    return std::filesystem::is_regular_file(path_, ec);
}

} // namespace vardane
