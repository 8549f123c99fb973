#include <algorithm>
#include <array>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include <gdal_priv.h>

#include "output/band_writer.h"
#include "output/gdal_session.h"
#include "output/polar/padded_grid.h"
#include "output/polar/polar_projections.h"
#include "output/polar/polar_warp.h"
#include "output/temporary_files.h"
#include "output/raster_layout.h"
#include "output/spout.h"
#include "output/write_failure.h"

namespace vardane {

namespace {

// Name of the padded latitude/longitude image, beside the first result.
constexpr const char* kEqrImageName = "_eqr_img.tif";
// Prefix of each hemisphere's orthographic image, beside its result.
constexpr const char* kOrthoPrefix = "_tmp.";

struct hemisphere {
    bool north;
    std::string name;
};

bool write_padded_image(const std::string& name, const padded_grid& grid, const raster_layout& layout,
                        const std::string& wkt)
{
    gdal_session::dataset_ptr ds =
        gdal_session::create_gtiff(name, grid.cells.width(), grid.cells.height(), layout.bands, layout.type);
    if (!ds) return false;
    bool ok = ds->SetProjection(wkt.c_str()) == CE_None;
    std::array<double, 6> gt = grid.geoTransform;
    ok = ok && ds->SetGeoTransform(gt.data()) == CE_None;
    ok = ok && write_raster_bands(*ds, grid.cells, layout, band_options{});
    return gdal_session::close(ds) && ok;
}

std::string ortho_name(const std::string& result)
{
    return beside(result, kOrthoPrefix + std::filesystem::path(result).filename().string());
}

// The polar-stereographic warp of an orthographic image, with the extent
// block reset (GDAL's suggested extent) and quiet.
bool rewarp_polar(const std::string& source, const std::string& destination, bool north, warp_extent_t& extent)
{
    extent = warp_extent_t{};
    extent.quiet = 1;
    return warp_to_projection(source, destination, polar_projection::stere(north), extent);
}

// The warps of the requested hemispheres, north first. Everything made here
// goes again unless the whole call succeeds: the results are kept only at
// the very end. False with the file that failed in `failed`.
bool write_polar_images(const padded_grid& grid, const std::string& wkt, warp_extent_t& extent,
                        const std::vector<hemisphere>& wanted, const raster_layout& layout, std::string& failed)
{
    temporary_files files;
    const std::string eqrImage = files.add(beside(wanted.front().name, kEqrImageName));
    failed = eqrImage;
    if (!write_padded_image(eqrImage, grid, layout, wkt)) return false;

    std::vector<std::string> results;
    for (const hemisphere& h : wanted) {
        // Orthographic first, as a square as high as the padded image: the
        // hemisphere seen from above its pole, without the far side.
        extent = warp_extent_t{};
        extent.forcedWidth = extent.forcedHeight = std::min(grid.cells.width(), grid.cells.height());
        extent.quiet = 1;
        const std::string ortho = files.add(ortho_name(h.name));
        failed = ortho;
        if (!warp_to_projection(eqrImage, ortho, polar_projection::ortho(h.north), extent)) return false;

        results.push_back(files.add(h.name));
        failed = h.name;
        if (!rewarp_polar(ortho, h.name, h.north, extent)) return false;
    }
    files.keep(results);
    return true;
}

} // namespace

bool spout::gen_GeoTiff_PolarImages(std::int32_t mode, const std::string& north, const std::string& south,
                                    std::int32_t area)
{
    std::vector<hemisphere> wanted;
    if (mode != 2) wanted.push_back({true, north});
    if (mode != 1) wanted.push_back({false, south});
    for (const hemisphere& h : wanted) {
        if (!can_write(h.name)) return false;
    }
    const std::string& first = wanted.front().name;
    if (!isGlobalSphere()) return refuse(first, write_cause::kNotGlobal);
    const auto layout = layout_of(rasterKind);
    if (!layout) return refuse(first, write_cause::kSampleType);
    if (gdal_session::gtiff_driver() == nullptr) return refuse(first, write_cause::kNoGtiff);

    try {
        const auto grid = make_padded_grid(raster, rasterKind, corners, geoTransform, area != 0);
        if (!grid) return refuse(first, write_cause::kNotGlobal);
        std::string failed;
        const bool written = write_polar_images(*grid, wkt, warpExtent, wanted, *layout, failed);
        return outcome(written, failed);
    } catch (const std::bad_alloc&) {
        // The padded grid did not fit in memory; whatever was made is gone
        // again.
        return refuse(first, write_cause::kOutOfMemory);
    }
}

bool spout::srs_rewarp_PolarImage(const std::string& source, const std::string& destination, bool north)
{
    begin_write();
    return outcome(rewarp_polar(source, destination, north, warpExtent), destination);
}

} // namespace vardane
