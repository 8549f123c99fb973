#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
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

// The padded grid as an in-memory dataset the warper reads.
gdal_session::dataset_ptr padded_image(const padded_grid& grid, const raster_layout& layout, const std::string& wkt)
{
    GDALDriver* mem = GetGDALDriverManager()->GetDriverByName("MEM");
    if (mem == nullptr) return nullptr;
    gdal_session::dataset_ptr ds(
        mem->Create("", grid.cells.width(), grid.cells.height(), layout.bands, layout.type, nullptr));
    if (!ds) return nullptr;
    bool ok = ds->SetProjection(wkt.c_str()) == CE_None;
    std::array<double, 6> gt = grid.geoTransform;
    ok = ok && ds->SetGeoTransform(gt.data()) == CE_None;
    ok = ok && write_raster_bands(*ds, grid.cells, layout, band_options{});
    if (!ok) ds.reset();
    return ds;
}

// The polar-stereographic warp of an orthographic image, with the extent
// block reset (GDAL's suggested extent) and quiet.
bool rewarp_polar(const std::string& source, const std::string& destination, bool north, warp_extent_t& extent)
{
    extent = warp_extent_t{};
    extent.quiet = 1;
    return warp_to_projection(source, destination, polar_projection::stere(north), extent);
}

// The warps of the requested hemispheres, north first, each result then
// given the run's layout by `finish`. Only the results are files: the padded
// grid and the orthographic views stay in memory. Everything made here goes
// again unless the whole call succeeds: the results are kept only at the
// very end. False with the file that failed in `failed`.
bool write_polar_images(const padded_grid& grid, const std::string& wkt, warp_extent_t& extent,
                        const std::vector<hemisphere>& wanted, const raster_layout& layout, std::string& failed,
                        const std::function<bool(const std::string&)>& finish)
{
    failed = wanted.front().name;
    const gdal_session::dataset_ptr eqrImage = padded_image(grid, layout, wkt);
    if (!eqrImage) return false;

    temporary_files files;
    std::vector<std::string> results;
    for (const hemisphere& h : wanted) {
        // Orthographic first, as a square as high as the padded image: the
        // hemisphere seen from above its pole, without the far side.
        extent = warp_extent_t{};
        extent.forcedWidth = extent.forcedHeight = std::min(grid.cells.width(), grid.cells.height());
        extent.quiet = 1;
        failed = h.name;
        const gdal_session::dataset_ptr ortho = warp_dataset(*eqrImage, "", polar_projection::ortho(h.north), extent);
        if (!ortho) return false;

        results.push_back(files.add(h.name));
        extent = warp_extent_t{};
        extent.quiet = 1;
        gdal_session::dataset_ptr polar = warp_dataset(*ortho, h.name, polar_projection::stere(h.north), extent);
        if (!polar || !gdal_session::close(polar)) return false;
    }
    for (const hemisphere& h : wanted) {
        failed = h.name;
        if (!finish(h.name)) return false;
    }
    files.keep(results);
    return true;
}

} // namespace

bool spout::gen_GeoTiff_PolarImages(std::int32_t mode, const std::string& north, const std::string& south,
                                    std::int32_t area)
{
    const std::vector<hemisphere> wanted = hemispheres_of(mode, north, south);
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
        const std::optional<double> nodata = gridded_nodata(fillCounts);
        const bool written =
            write_polar_images(*grid, wkt, warpExtent, wanted, *layout, failed,
                               [&](const std::string& name) { return finish_written_geotiff(name, nodata); });
        return written || outcome(false, failed);
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
