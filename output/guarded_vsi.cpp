#include "output/guarded_vsi.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include <cpl_vsi.h>

#include "output/guarded_file.h"

namespace vardane {

namespace {

constexpr const char* kPrefix = "/vsivardaneguard/";

guarded_file* file_of(void* handle) { return static_cast<guarded_file*>(handle); }

int stat_path(void*, const char* path, VSIStatBufL* buf, int)
{
    struct stat st {};
    if (::stat(path, &st) != 0) return -1;
    *buf = VSIStatBufL{};
    buf->st_mode = st.st_mode;
    buf->st_size = st.st_size;
    buf->st_mtime = st.st_mtime;
    return 0;
}

int unlink_path(void*, const char* path) { return ::unlink(path); }

void* open_path(void*, const char* path, const char* access) { return guarded_file::open(path, access).release(); }

vsi_l_offset tell(void* f) { return file_of(f)->tell(); }

int seek(void* f, vsi_l_offset offset, int whence)
{
    return file_of(f)->seek(static_cast<std::int64_t>(offset), whence) ? 0 : -1;
}

size_t read(void* f, void* buffer, size_t size, size_t count)
{
    if (size == 0) return 0;
    return file_of(f)->read(buffer, size * count) / size;
}

size_t write(void* f, const void* buffer, size_t size, size_t count)
{
    if (size == 0) return 0;
    return file_of(f)->write(buffer, size * count) / size;
}

int truncate(void* f, vsi_l_offset length) { return file_of(f)->truncate(length) ? 0 : -1; }

int eof(void* f) { return file_of(f)->at_end() ? 1 : 0; }

int flush(void* f) { return file_of(f)->broken() ? -1 : 0; }

int close(void* f)
{
    delete file_of(f);
    return 0;
}

void install_once()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        VSIFilesystemPluginCallbacksStruct* cb = VSIAllocFilesystemPluginCallbacksStruct();
        cb->stat = stat_path;
        cb->unlink = unlink_path;
        cb->open = open_path;
        cb->tell = tell;
        cb->seek = seek;
        cb->read = read;
        cb->eof = eof;
        cb->write = write;
        cb->flush = flush;
        cb->truncate = truncate;
        cb->close = close;
        // No read cache: the handler also writes.
        cb->nBufferSize = 0;
        cb->nCacheSize = 0;
        VSIInstallPluginHandler(kPrefix, cb);
        VSIFreeFilesystemPluginCallbacksStruct(cb);
    });
}

} // namespace

std::string guarded_gdal_name(const std::string& path)
{
    install_once();
    return kPrefix + path;
}

std::string unguarded_path(const std::string& gdalName)
{
    const std::string prefix = kPrefix;
    if (gdalName.compare(0, prefix.size(), prefix) != 0) return gdalName;
    return gdalName.substr(prefix.size());
}

} // namespace vardane
