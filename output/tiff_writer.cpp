#include <gdal_priv.h>

#include "output/band_writer.h"
#include "output/gdal_session.h"
#include "output/partial_file.h"
#include "output/spout.h"

namespace vardane {

// Plain TIFF: the stored counts in the raster's own sample type, one band per
// channel, no georeferencing (the position text file carries it). The two
// flags and the threshold are reserved and have no effect.
bool spout::gen_TiffImage(const std::string& name, bool, bool, double)
{
    if (!ready || name.empty() || raster.empty()) return false;
    const auto layout = layout_of(rasterKind);
    if (!layout || gdal_session::gtiff_driver() == nullptr) return false;

    gdal_session::dataset_ptr ds =
        gdal_session::create_gtiff(name, raster.width(), raster.height(), layout->bands, layout->type);
    if (!ds) return false;

    bool ok = write_raster_bands(*ds, raster, *layout, band_options{});
    ok = gdal_session::close(ds) && ok;
    if (!ok) discard_partial_file(name);
    return ok;
}

} // namespace vardane
