#include "output/l3_tiff_file.h"

#include <cstdarg>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "output/column_shift.h"
#include "output/guarded_file.h"
#include "output/output_raster.h"
#include "output/partial_file.h"

namespace vardane {

namespace {

// The image is one strip, which libtiff would otherwise collect whole in a
// buffer of its own before writing it: a second copy of 13 MB for a 0.1
// degree grid, in memory fresh for every file. Given a buffer of a
// megabyte, it writes the strip a megabyte at a time, to the same place.
// The buffer is a bulk block, so that file after file reuses it.
constexpr std::size_t kStripPieceBytes = std::size_t(1) << 20;

// One band of 16-bit samples, uncompressed, written line by line.
bool set_image_structure(TIFF* tif, std::int32_t width, std::int32_t height, bool isSigned)
{
    return TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(width)) == 1
           && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(height)) == 1
           && TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16) == 1 && TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) == 1
           && TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, isSigned ? SAMPLEFORMAT_INT : SAMPLEFORMAT_UINT) == 1
           && TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE) == 1
           && TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) == 1
           && TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1;
}

// libtiff's file operations on a guarded file: once a write fails, the
// directory rewrite of the close fails at once instead of spinning.
guarded_file* file_of(thandle_t h) { return static_cast<guarded_file*>(h); }

tmsize_t read_proc(thandle_t h, void* buf, tmsize_t size)
{
    return static_cast<tmsize_t>(file_of(h)->read(buf, static_cast<std::size_t>(size)));
}

tmsize_t write_proc(thandle_t h, void* buf, tmsize_t size)
{
    return static_cast<tmsize_t>(file_of(h)->write(buf, static_cast<std::size_t>(size)));
}

toff_t seek_proc(thandle_t h, toff_t offset, int whence)
{
    if (!file_of(h)->seek(static_cast<std::int64_t>(offset), whence)) return static_cast<toff_t>(-1);
    return file_of(h)->tell();
}

toff_t size_proc(thandle_t h) { return file_of(h)->size(); }

int close_proc(thandle_t) { return 0; }

int map_proc(thandle_t, void**, toff_t*) { return 0; }

void unmap_proc(thandle_t, void*, toff_t) {}

// libtiff's words on this file go to the writer's cause instead of stderr;
// the first error is the root of the ones after it.
int keep_first_error(TIFF*, void* cause, const char* module, const char* format, va_list args)
{
    auto& text = *static_cast<std::string*>(cause);
    if (!text.empty()) return 1;
    char message[512];
    std::vsnprintf(message, sizeof message, format, args);
    text = module && *module ? std::string(module) + ": " + message : std::string(message);
    return 1;
}

// XTIFFClientOpen with the error handler of this file: the GeoTIFF tags
// registered as XTIFFClientOpen registers them.
TIFF* open_tiff(const std::string& name, guarded_file& file, std::string& cause)
{
    XTIFFInitialize();
    std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree);
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), keep_first_error, &cause);
    // "b": big-endian byte order, whatever the host.
    return TIFFClientOpenExt(name.c_str(), "wb", &file, read_proc, write_proc, seek_proc, close_proc, size_proc,
                             map_proc, unmap_proc, options.get());
}

bool write_image(TIFF* tif, GTIF* gtif, const output_raster& raster, bool isSigned, std::int32_t shift,
                 const std::function<bool(TIFF*, GTIF*)>& describe, bulk_vector<std::uint8_t>& piece)
{
    const std::int32_t width = raster.width();
    bool ok = gtif && set_image_structure(tif, width, raster.height(), isSigned) && describe(tif, gtif)
              && TIFFWriteBufferSetup(tif, piece.data(), tmsize_t(piece.size())) == 1;
    const column_shift cols(shift, width);
    std::vector<std::uint16_t> line(static_cast<std::size_t>(width));
    for (std::int32_t r = 0; ok && r < raster.height(); ++r) {
        // Signed samples are written as their bits, like unsigned ones.
        const sample_row<std::uint16_t> row = raster.samples<std::uint16_t>(r);
        cols.for_each_run([&](std::int32_t first, std::int32_t source, std::int32_t count) {
            row.copy_to(line.data() + first, std::size_t(source), std::size_t(count));
        });
        ok = TIFFWriteScanline(tif, line.data(), std::uint32_t(r), 0) == 1;
    }
    return ok && TIFFFlush(tif) == 1;
}

} // namespace

bool write_l3_tiff(const std::string& name, const output_raster& raster, bool isSigned, std::int32_t shift,
                   const std::function<bool(TIFF*, GTIF*)>& describe, std::string& cause)
{
    cause.clear();
    const auto bytes = std::uint64_t(raster.width()) * std::uint64_t(raster.height()) * 2 + kTiffHeaderRoom;
    if (!has_room_for(std::filesystem::path(name).parent_path().string(), bytes, cause)) return false;

    bool ok = false;
    std::string libraryWords;
    {
        const std::unique_ptr<guarded_file> file = guarded_file::open(name, "w+");
        if (!file) {
            cause = std::strerror(errno);
            return false;
        }
        // libtiff writes through the piece until the file is closed.
        bulk_vector<std::uint8_t> piece;
        try {
            piece.resize(kStripPieceBytes);
        } catch (const std::bad_alloc&) {
            cause = "out of memory";
            return false;
        }
        {
            tiff_ptr tif(open_tiff(name, *file, libraryWords));
            if (tif) {
                gtif_ptr gtif(GTIFNew(tif.get()));
                ok = write_image(tif.get(), gtif.get(), raster, isSigned, shift, describe, piece);
            }
        }
        ok = !file->broken() && ok;
    }
    // The file's own close may be the first to hear of a failed write; the
    // disk's words are the root of libtiff's.
    const std::string diskWords = take_write_failure(name);
    ok = diskWords.empty() && ok;
    if (!ok) {
        cause = !diskWords.empty() ? diskWords : !libraryWords.empty() ? libraryWords : "not written";
        // A scanline that could not be written leaves no half image behind.
        discard_partial_file(name);
    }
    return ok;
}

} // namespace vardane
