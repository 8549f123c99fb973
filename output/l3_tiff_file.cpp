#include "output/l3_tiff_file.h"

#include <vector>

#include "output/column_shift.h"
#include "output/output_raster.h"
#include "output/partial_file.h"

namespace {

// One band of 16-bit samples, uncompressed, written line by line.
bool set_image_structure(TIFF* tif, std::int32_t width, std::int32_t height, bool isSigned)
{
    return TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(width)) == 1
        && TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(height)) == 1
        && TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16) == 1
        && TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) == 1
        && TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, isSigned ? SAMPLEFORMAT_INT : SAMPLEFORMAT_UINT) == 1
        && TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE) == 1
        && TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) == 1
        && TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1;
}

} // namespace

bool write_l3_tiff(const std::string& name, const output_raster& raster, bool isSigned, std::int32_t shift,
                   const std::function<bool(TIFF*, GTIF*)>& describe)
{
    bool ok = false;
    {
        // "b": big-endian byte order, whatever the host.
        tiff_ptr tif(XTIFFOpen(name.c_str(), "wb"));
        if (!tif) return false;
        gtif_ptr gtif(GTIFNew(tif.get()));
        const std::int32_t width = raster.width();
        ok = gtif && set_image_structure(tif.get(), width, raster.height(), isSigned)
            && describe(tif.get(), gtif.get());

        const column_shift cols(shift, width);
        std::vector<std::uint16_t> line(static_cast<std::size_t>(width));
        for (std::int32_t r = 0; ok && r < raster.height(); ++r) {
            const auto row = raster.row(r);
            for (std::int32_t c = 0; c < width; ++c) {
                const XVal_t& v = row[std::size_t(cols.source(c))];
                line[std::size_t(c)] = isSigned ? std::uint16_t(v.s16) : v.u16;
            }
            ok = TIFFWriteScanline(tif.get(), line.data(), std::uint32_t(r), 0) == 1;
        }
        ok = ok && TIFFFlush(tif.get()) == 1;
    }
    // A scanline that could not be written leaves no half image behind.
    if (!ok) discard_partial_file(name);
    return ok;
}
