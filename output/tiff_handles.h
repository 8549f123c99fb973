#pragma once

#include <memory>

#include <geotiffio.h>
#include <xtiffio.h>

namespace vardane {

// Owning handles for the libtiff/libgeotiff writers. Declare the key
// directory after the file so that it is freed before the file is closed.
struct tiff_closer {
    void operator()(TIFF* tif) const { XTIFFClose(tif); }
};
using tiff_ptr = std::unique_ptr<TIFF, tiff_closer>;

struct gtif_freer {
    void operator()(GTIF* gtif) const { GTIFFree(gtif); }
};
using gtif_ptr = std::unique_ptr<GTIF, gtif_freer>;

} // namespace vardane
