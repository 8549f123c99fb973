#include "output/l3_tiff_file.h"

#include <vector>

#include "output/column_shift.h"
#include "output/output_raster.h"
#include "output/partial_file.h"

bool write_l3_tiff(const std::string& name, const output_raster& raster, bool isSigned, std::int32_t shift,
                   const std::function<bool(TIFF*, GTIF*)>& describe)
{
    bool ok = false;
    {
        // "b": big-endian byte order, whatever the host.
        tiff_ptr tif(XTIFFOpen(name.c_str(), "wb"));
        if (!tif) return false;
        gtif_ptr gtif(GTIFNew(tif.get()));
        ok = gtif && describe(tif.get(), gtif.get());

        const std::int32_t width = raster.width();
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
