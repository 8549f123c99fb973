#include <cstdint>

#include <geovalues.h>
#include <geokeys.h>

#include "output/l3eqr_grids.h"
#include "output/l3_tiff_file.h"
#include "output/spout.h"
#include "output/tiff_handles.h"
#include "output/write_failure.h"

namespace vardane {

namespace {

bool set_georeference(TIFF* tif, const l3eqr_grid& grid, bool shift)
{
    double tiepoint[6] = {0.0, 0.0, 0.0, shift ? -180.0 : 0.0, 90.0, 0.0};
    double pixelScale[3] = {grid.pixelSize, grid.pixelSize, 0.0};
    return TIFFSetField(tif, TIFFTAG_GEOTIEPOINTS, 6, tiepoint) == 1
           && TIFFSetField(tif, TIFFTAG_GEOPIXELSCALE, 3, pixelScale) == 1;
}

// WGS 84 geographic coordinates, pixel-is-area.
bool set_geokeys(GTIF* gtif)
{
    struct key_value {
        geokey_t key;
        int value;
    };
    static constexpr key_value keys[] = {
        {GTModelTypeGeoKey, ModelGeographic},     {GTRasterTypeGeoKey, RasterPixelIsArea},
        {GeographicTypeGeoKey, GCS_WGS_84},       {GeogGeodeticDatumGeoKey, Datum_WGS84},
        {GeogAngularUnitsGeoKey, Angular_Degree}, {GeogEllipsoidGeoKey, Ellipse_WGS_84},
    };
    for (const key_value& kv : keys) {
        if (GTIFKeySet(gtif, kv.key, TYPE_SHORT, 1, kv.value) != 1) return false;
    }
    return GTIFWriteKeys(gtif) == 1;
}

} // namespace

bool spout::gen_L3EQR_GeoTiffImage(const std::string& name, bool flag)
{
    if (!can_write(name)) return false;
    if (rasterKind != RK_UINT16 && rasterKind != RK_INT16) return refuse(name, write_cause::kSampleType);
    const auto grid = find_l3eqr_grid(raster.width(), raster.height());
    if (!grid) return refuse(name, write_cause::kUnknownGrid);

    const bool isSigned = rasterKind == RK_INT16;
    // Half a row: the grid starts at 0 degrees, the file at -180.
    const std::int32_t shift = flag ? std::int32_t(grid->width * 0.5 + 0.5) : 0;
    std::string cause;
    const bool written = write_l3_tiff(
        name, raster, isSigned, shift,
        [&](TIFF* tif, GTIF* gtif) { return set_georeference(tif, *grid, flag) && set_geokeys(gtif); }, cause);
    if (!written) return refuse(name, cause);
    return finish_written_geotiff(name, gridded_nodata(fillCounts));
}

} // namespace vardane
