#include <gdal_priv.h>

#include "output/band_writer.h"
#include "output/gdal_session.h"
#include "output/partial_file.h"
#include "output/spout.h"
#include "output/write_failure.h"

namespace vardane {

// Plain TIFF: the stored counts in the raster's own sample type, one band per
// channel, no georeferencing (the position text file carries it).
bool spout::gen_TiffImage(const std::string& name)
{
    if (!can_write(name)) return false;
    const auto layout = layout_of(rasterKind);
    if (!layout) return refuse(name, write_cause::kSampleType);
    if (gdal_session::gtiff_driver() == nullptr) return refuse(name, write_cause::kNoGtiff);

    gdal_session::dataset_ptr ds =
        gdal_session::create_gtiff(name, raster.width(), raster.height(), layout->bands, layout->type);
    if (!ds) return outcome(false, name);

    bool ok = write_raster_bands(*ds, raster, *layout, band_options{});
    ok = gdal_session::close(ds) && ok;
    if (!ok) discard_partial_file(name);
    return outcome(ok, name);
}

} // namespace vardane
