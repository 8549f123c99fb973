#include <cmath>

#include <gdal_priv.h>

#include "output/band_writer.h"
#include "output/gdal_session.h"
#include "output/geotiff_profile_writer.h"
#include "output/partial_file.h"
#include "output/spout.h"
#include "output/write_failure.h"

namespace vardane {

namespace {

// Longitude shift of a global grid that starts at 0 degrees, so that the
// written image starts at -180.
constexpr double kHalfTurn = -180.0;

} // namespace

bool spout::gen_GeoTiffImage(const std::string& name, std::int32_t area)
{
    return gen_EQR_Image(name, area == 1 ? kHalfTurn : 0.0, area);
}

bool spout::gen_EQR_Image(const std::string& name, double lonShift, std::int32_t floorFlag)
{
    if (!can_write(name)) return false;
    if (gdal_session::gtiff_driver() == nullptr) return refuse(name, write_cause::kNoGtiff);
    const auto layout = layout_of(rasterKind);
    if (!layout) return refuse(name, write_cause::kSampleType);

    const std::int32_t width = raster.width();
    // Nearest whole column, halves up: -180 degrees on an even width is
    // exactly half the row.
    const auto shift = static_cast<std::int32_t>(std::floor(lonShift / 360.0 * width + 0.5));

    geotiff_sink file(name, geotiff_finish_with(gridded_nodata(fillCounts)));
    GDALDataset* ds = file.create(width, raster.height(), layout->bands, layout->type);
    if (ds == nullptr) return outcome(false, name);

    std::array<double, 6> gt = geoTransform;
    if (shift != 0) gt[0] += lonShift;
    bool ok = ds->SetProjection(wkt.c_str()) == CE_None;
    ok = ok && ds->SetGeoTransform(gt.data()) == CE_None;
    ok = ok && write_raster_bands(*ds, raster, *layout, band_options{shift, floorFlag != 0});
    if (!ok) file.discard();
    return outcome(ok && file.close(), name);
}

} // namespace vardane
