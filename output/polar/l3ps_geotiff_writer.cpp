#include <cstdint>

#include <geokeys.h>
#include <geovalues.h>

#include "output/l3_tiff_file.h"
#include "output/polar/l3ps_grids.h"
#include "output/spout.h"
#include "output/tiff_handles.h"
#include "output/write_failure.h"

namespace vardane {

namespace {

// EPSG codes of the grids' datum and ellipsoid (Hughes 1980).
constexpr int kDatumHughes1980 = 6054;
constexpr int kEllipsoidHughes1980 = 7058;

bool set_georeference(TIFF* tif, const l3ps_grid& grid)
{
    // Pixel (col, row) -> (x, y): x = UL x + col * size, y = UL y - row * size.
    double transform[16] = {
        grid.pixelSize, 0, 0, grid.upperLeftX, 0, -grid.pixelSize, 0, grid.upperLeftY, 0, 0, 0, 0, 0, 0, 0, 1};
    return TIFFSetField(tif, TIFFTAG_GEOTRANSMATRIX, 16, transform) == 1;
}

bool set_geokeys(GTIF* gtif, const l3ps_grid& grid)
{
    struct short_key {
        geokey_t key;
        int value;
    };
    struct double_key {
        geokey_t key;
        double value;
    };
    const short_key shorts[] = {
        {GTModelTypeGeoKey, ModelProjected},         {GTRasterTypeGeoKey, RasterPixelIsArea},
        {GeogGeodeticDatumGeoKey, kDatumHughes1980}, {GeogEllipsoidGeoKey, kEllipsoidHughes1980},
        {ProjectedCSTypeGeoKey, grid.projectedCs},   {ProjCoordTransGeoKey, CT_PolarStereographic},
        {ProjLinearUnitsGeoKey, Linear_Meter},
    };
    const double_key doubles[] = {
        {GeogSemiMajorAxisGeoKey, kHughesSemiMajor},
        {GeogSemiMinorAxisGeoKey, kHughesSemiMinor},
        {ProjNatOriginLatGeoKey, grid.originLat},
        {ProjFalseEastingGeoKey, 0.0},
        {ProjFalseNorthingGeoKey, 0.0},
        {ProjScaleAtNatOriginGeoKey, 1.0},
        {ProjStraightVertPoleLongGeoKey, grid.poleLon},
    };
    if (GTIFKeySet(gtif, GTCitationGeoKey, TYPE_ASCII, 0, grid.citation) != 1) return false;
    if (GTIFKeySet(gtif, GeogCitationGeoKey, TYPE_ASCII, 0, kL3PsGeogCitation) != 1) return false;
    for (const short_key& k : shorts) {
        if (GTIFKeySet(gtif, k.key, TYPE_SHORT, 1, k.value) != 1) return false;
    }
    for (const double_key& k : doubles) {
        if (GTIFKeySet(gtif, k.key, TYPE_DOUBLE, 1, k.value) != 1) return false;
    }
    return GTIFWriteKeys(gtif) == 1;
}

} // namespace

bool spout::gen_L3PS_GeoTiffImage(const std::string& name)
{
    if (!can_write(name)) return false;
    if (rasterKind != RK_UINT16 && rasterKind != RK_INT16) return refuse(name, write_cause::kSampleType);
    const auto grid = find_l3ps_grid(raster.width(), raster.height());
    if (!grid) return refuse(name, write_cause::kUnknownGrid);

    const bool isSigned = rasterKind == RK_INT16;
    std::string cause;
    const bool written = write_l3_tiff(
        name, raster, isSigned, 0,
        [&](TIFF* tif, GTIF* gtif) { return set_georeference(tif, *grid) && set_geokeys(gtif, *grid); }, cause);
    if (!written) return refuse(name, cause);
    return finish_written_geotiff(name, gridded_nodata(fillCounts));
}

} // namespace vardane
