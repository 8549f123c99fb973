// Global latitude/longitude grids warped once per hemisphere onto a polar
// grid at full resolution: the source's own (native) or a published one.
#include <array>
#include <cmath>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_priv.h>
#include <gdal_utils.h>
#include <ogr_spatialref.h>

#include "output/gdal_session.h"
#include "output/geotiff_profile_writer.h"
#include "output/polar/polar_projections.h"
#include "output/polar/polar_source.h"
#include "output/polar/polar_warp.h"
#include "output/polar/polar_target_grids.h"
#include "output/raster_layout.h"
#include "output/spout.h"
#include "output/temporary_files.h"
#include "output/write_failure.h"
#include "util/number_text.h"

namespace vardane {

namespace {

// Radius of curvature of a WGS 84 meridian at the pole (a^2 / b): a degree
// of latitude there is this many metres times pi / 180. The stereographic
// projections of the native grid have their true scale at the pole.
constexpr double kPoleMeridianRadius = 6399593.6258;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Where one hemisphere's pixels go.
struct polar_target {
    OGRSpatialReference srs;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::array<double, 6> geoTransform{};
};

// How far from the pole the source reaches in the hemisphere: its edge on
// the far side, or the equator when it crosses it.
double far_latitude(const std::array<double, 6>& gt, std::int32_t height, bool north)
{
    const double top = gt[3];
    const double bottom = gt[3] + gt[5] * height;
    return north ? std::max(std::min(top, bottom), 0.0) : std::min(std::max(top, bottom), 0.0);
}

// The native grid: the stereographic projection the quick look ends in,
// pixels as long as a source row step at the pole, and a square that holds
// the circle of the source's far latitude, centred on the pole.
std::optional<polar_target> native_target(bool north, double rowStep, double farLatitude)
{
    polar_target t;
    if (t.srs.importFromProj4(polar_projection::stere(north)) != OGRERR_NONE || rowStep <= 0.0) return std::nullopt;
    t.srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference wgs84;
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (wgs84.importFromWkt(gdal_session::kWgs84Wkt) != OGRERR_NONE) return std::nullopt;
    const std::unique_ptr<OGRCoordinateTransformation> to(OGRCreateCoordinateTransformation(&wgs84, &t.srs));
    double x = 0.0;
    double y = farLatitude;
    if (!to || !to->Transform(1, &x, &y)) return std::nullopt;
    const double pixel = rowStep * kRadiansPerDegree * kPoleMeridianRadius;
    const auto half = static_cast<std::int32_t>(std::ceil(std::hypot(x, y) / pixel - 1e-9));
    t.width = t.height = 2 * std::max(half, 1);
    t.geoTransform = {-half * pixel, pixel, 0.0, half * pixel, 0.0, -pixel};
    return t;
}

// GDAL takes a deprecated EPSG code for its successor, when importing it
// as when reading it back from a file: the NSIDC grids' EPSG:3411 (Hughes
// 1980 ellipsoid) would become EPSG:3413 (WGS 84), some hundred metres
// away. The system is imported as registered and, when its code names
// another one by now, written by its parameters alone.
std::optional<polar_target> published_target(const polar_target_grid& g)
{
    polar_target t;
    {
        const CPLConfigOptionSetter asRegistered("OSR_USE_NON_DEPRECATED", "NO", true);
        if (t.srs.importFromEPSG(g.epsg) != OGRERR_NONE) return std::nullopt;
    }
    OGRSpatialReference successor;
    if (successor.importFromEPSG(g.epsg) != OGRERR_NONE || !successor.IsSame(&t.srs)) {
        OGR_SRSNode* root = t.srs.GetRoot();
        const int at = root != nullptr ? root->FindChild("AUTHORITY") : -1;
        if (at >= 0) root->DestroyChild(at);
    }
    t.srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    t.width = g.width;
    t.height = g.height;
    t.geoTransform = {g.left, g.pixelSize, 0.0, g.top, 0.0, -g.pixelSize};
    return t;
}

// Codes keep their values; measurements are averaged onto pixels larger
// than the source's and interpolated onto smaller or equal ones.
const char* resampling(bool codes, double targetPixel, double sourcePixel)
{
    if (codes) return "near";
    return targetPixel > sourcePixel * (1.0 + 1e-6) ? "average" : "bilinear";
}

std::string nodata_text(std::optional<double> nodata)
{
    if (!nodata) return "None";
    if (std::isnan(*nodata)) return "nan";
    return format_general(*nodata, 17);
}

warp_options_ptr warp_options(const char* method, std::optional<double> nodata)
{
    const std::string value = nodata_text(nodata);
    // Chunks of 24 MB: the destination's finished blocks already wait in
    // GDAL's cache, and larger chunks buy no speed on a grid this size.
    std::vector<std::string> args = {"-r",         method, "-q",         "-wm", "24", "-wo", "NUM_THREADS=ALL_CPUS",
                                     "-srcnodata", value,  "-dstnodata", value};
    args.insert(args.end(), {"-wo", nodata ? "INIT_DEST=NO_DATA" : "INIT_DEST=0"});
    return make_warp_options(args);
}

// One hemisphere: the target made as the run's GeoTIFF layout asks, then
// filled by one warp from the source in memory.
bool warp_hemisphere(const polar_source& source, const polar_target& target, const raster_layout& layout,
                     const geotiff_finish& how, const char* method, const std::string& name)
{
    geotiff_sink file(name, how);
    GDALDataset* ds = file.create(target.width, target.height, layout.bands, layout.type);
    if (ds == nullptr) return false;
    std::array<double, 6> gt = target.geoTransform;
    bool ok = ds->SetSpatialRef(&target.srs) == CE_None && ds->SetGeoTransform(gt.data()) == CE_None;
    const warp_options_ptr options = ok ? warp_options(method, source.nodata()) : nullptr;
    if (options) {
        CPLErrorReset();
        GDALDatasetH from = GDALDataset::ToHandle(&source.dataset());
        int usageError = 0;
        ok = GDALWarp(nullptr, GDALDataset::ToHandle(ds), 1, &from, options.get(), &usageError) != nullptr
             && usageError == 0 && CPLGetLastErrorType() != CE_Failure;
    } else {
        ok = false;
    }
    if (!ok) {
        file.discard();
        return false;
    }
    return file.close();
}

} // namespace

bool spout::gen_polar_grid_images(polar_grid grid, std::int32_t mode, const std::string& north,
                                  const std::string& south)
{
    const std::vector<hemisphere> wanted = hemispheres_of(mode, north, south);
    for (const hemisphere& h : wanted) {
        if (!can_write(h.name)) return false;
    }
    const std::string& first = wanted.front().name;
    const auto layout = layout_of(rasterKind);
    if (!layout) return refuse(first, write_cause::kSampleType);
    if (gdal_session::gtiff_driver() == nullptr) return refuse(first, write_cause::kNoGtiff);

    try {
        const std::optional<double> fill = gridded_nodata(fillCounts);
        const auto source = polar_source::make(raster, *layout, geoTransform, fillCounts, fill);
        if (!source) return refuse(first, write_cause::kOutOfMemory);
        geotiff_finish how = geotiff_finish_with(source->nodata());
        // Cells no source pixel reaches are part of every polar grid: their
        // value is always recorded.
        how.nodata = source->nodata();
        const double sourcePixel = source->row_step() * kRadiansPerDegree * kPoleMeridianRadius;

        temporary_files files;
        std::vector<std::string> results;
        for (const hemisphere& h : wanted) {
            const auto published = published_polar_grid(grid, h.north);
            const auto target = published ? published_target(*published)
                                          : native_target(h.north, source->row_step(),
                                                          far_latitude(geoTransform, raster.height(), h.north));
            if (!target) return refuse(h.name, write_cause::kNotWritten);
            const char* method = resampling(dataAttr.codes, target->geoTransform[1], sourcePixel);
            results.push_back(files.add(h.name));
            if (!warp_hemisphere(*source, *target, *layout, how, method, h.name)) return outcome(false, h.name);
        }
        files.keep(results);
        return true;
    } catch (const std::bad_alloc&) {
        return refuse(first, write_cause::kOutOfMemory);
    }
}

} // namespace vardane
