// Regridding of swath products onto latitude/longitude windows.
#include <bit>
#include <new>

#include "output/spout.h"
#include "output/swath/cell_walk.h"
#include "output/swath/corner_value.h"
#include "output/swath/gt_projector.h"
#include "output/swath/position_source.h"
#include "output/swath/swath_windows.h"
#include "output/write_failure.h"

namespace vardane {

namespace {

constexpr const char* kWindowExtension = ".proj.tif";

} // namespace

// The radiometer's global grid becomes the raster, so that the writers after
// this one (the KMZ overlay) draw the regridded image. The raster kind stays.
void spout::take_regridded_grid(gt_projector& projector)
{
    const std::int32_t w = projector.getWidth();
    const std::int32_t h = projector.getHeight();
    Clear_Array_raster();
    if (rasterKind == RK_UINT16 || rasterKind == RK_INT16) {
        // The grid's 16-bit samples, the bits of signed ones alike, become
        // the raster as they are.
        raster.adopt(w, h, projector.take_samples16());
    } else {
        raster.reset(w, h);
        for (std::int32_t r = 0; r < h; ++r) {
            auto row = raster.row(r);
            for (std::int32_t c = 0; c < w; ++c)
                row[std::size_t(c)].u16 = std::bit_cast<std::uint16_t>(projector.getVal(c, r));
        }
    }
    corners[corner::UL] = {90.0, -180.0};
    corners[corner::UR] = {90.0, 180.0};
    corners[corner::LL] = {-90.0, -180.0};
    corners[corner::LR] = {-90.0, 180.0};
    geoTransform = {-180.0, 360.0 / w, 0.0, 90.0, 0.0, -180.0 / h};
    gridNodata = projector.nodata();
    ready = true;
}

std::int32_t spout::swath_window_nodata() const { return swath_grid_nodata(rasterKind); }

bool spout::gen_posGeoTIFF(const std::string& stem, productType kind, std::int32_t idx, bool keep,
                           std::vector<std::string>& names)
{
    failedWindows_.clear();
    if (!can_write(stem)) return false;
    const bool radiometer = window_layout_of(kind) == window_layout::global;
    try {
        const auto positions = positions_for(geolocation, raster_size{raster.height(), raster.width()}, kind, idx);
        const auto windows = windows_for(geolocation, kind);
        if (!positions || windows.empty()) {
            // Without its geolocation the swath has no place on the map; a
            // radiometer raster left as it is would be drawn as one.
            if (radiometer) Clear_Array_raster();
            return refuse(stem, write_cause::kNoGeolocation);
        }
        const corner_value value(rasterKind, dataAttr);
        const cell_fill how = dataAttr.codes ? cell_fill::nearest : cell_fill::blend;
        for (const view_t& window : windows) {
            const std::string name = stem + window.suffix + kWindowExtension;
            // One window grid at a time: the polarisation windows are
            // 400 MB each.
            gt_projector projector(rasterKind, window.width, window.height, how);
            if (!projector.setView(window)) {
                failedWindows_.push_back(failure{name, write_cause::kOutOfMemory});
                if (radiometer) Clear_Array_raster();
                continue;
            }
            walk_cells_in_bands(projector, *positions, raster, value, drawing_threads());
            if (keep) {
                if (projector.output(name, geotiff_finish_with(swath_window_nodata()))) {
                    names.push_back(name);
                } else {
                    std::string cause = library_cause(name);
                    failedWindows_.push_back(failure{name, cause.empty() ? write_cause::kNotWritten : cause});
                }
            }
            if (radiometer) take_regridded_grid(projector);
        }
    } catch (const std::bad_alloc&) {
        if (radiometer) Clear_Array_raster();
        return refuse(stem, write_cause::kOutOfMemory);
    }
    return true;
}

} // namespace vardane
