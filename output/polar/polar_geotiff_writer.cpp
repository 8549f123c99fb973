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

// The warps of the requested hemispheres, north first. Everything made here
// goes again unless the whole call succeeds: the results are kept only at
// the very end.
bool write_polar_images(spout& out, const std::vector<hemisphere>& wanted, const raster_layout& layout,
                        bool floorFloats)
{
    const auto grid = make_padded_grid(out.raster, out.rasterKind, out.corners, out.geoTransform, floorFloats);
    if (!grid) return false;

    temporary_files files;
    const std::string eqrImage = files.add(beside(wanted.front().name, kEqrImageName));
    if (!write_padded_image(eqrImage, *grid, layout, out.wkt)) return false;

    std::vector<std::string> results;
    for (const hemisphere& h : wanted) {
        // Orthographic first, as a square as high as the padded image: the
        // hemisphere seen from above its pole, without the far side.
        out.reset_global_vars();
        out.warpExtent.forcedWidth = out.warpExtent.forcedHeight =
            std::min(grid->cells.width(), grid->cells.height());
        out.warpExtent.quiet = 1;
        const std::string ortho = files.add(ortho_name(h.name));
        if (!warp_to_projection(eqrImage, ortho, polar_projection::ortho(h.north), out.warpExtent)) return false;

        results.push_back(files.add(h.name));
        if (!out.srs_rewarp_PolarImage(ortho, h.name, h.north)) return false;
    }
    files.keep(results);
    return true;
}

} // namespace

bool spout::gen_GeoTiff_PolarImages(std::int32_t mode, const std::string& north, const std::string& south,
                                    std::int32_t area)
{
    if (!ready || !isGlobalSphere()) return false;

    std::vector<hemisphere> wanted;
    if (mode != 2) wanted.push_back({true, north});
    if (mode != 1) wanted.push_back({false, south});
    for (const hemisphere& h : wanted) {
        if (h.name.empty()) return false;
    }
    const auto layout = layout_of(rasterKind);
    if (!layout || gdal_session::gtiff_driver() == nullptr) return false;

    try {
        return write_polar_images(*this, wanted, *layout, area != 0);
    } catch (const std::bad_alloc&) {
        // The padded grid did not fit in memory; whatever was made is gone
        // again.
        return false;
    }
}

bool spout::srs_rewarp_PolarImage(const std::string& source, const std::string& destination, bool north)
{
    reset_global_vars();
    warpExtent.quiet = 1;
    return warp_to_projection(source, destination, polar_projection::stere(north), warpExtent);
}

} // namespace vardane
