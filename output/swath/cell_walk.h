#pragma once

#include <span>

#include "output/output_raster.h"
#include "output/swath/corner_value.h"
#include "output/swath/gt_projector.h"
#include "output/swath/position_source.h"

namespace vardane {

// Fills the projector's window from every cell of the raster: the cell of
// lines l, l + 1 and pixels p, p + 1 has its corners in the ring order
// (l, p), (l + 1, p), (l + 1, p + 1), (l, p + 1). Where the positions are
// bordered (a tile), the raster's edge pixels are repeated on the border, so
// the cells cover the whole area of the raster. Pairs of lines whose
// positions all lie outside the window are passed over whole, which leaves
// the same grid as walking them.
void walk_cells(gt_projector& projector, const position_source& positions, const output_raster& raster,
                const corner_value& value);
// The same for the pixels of the rows of `band` only: threads walking bands
// that do not overlap may share the projector.
void walk_cells(gt_projector& projector, const position_source& positions, const output_raster& raster,
                const corner_value& value, grid_rows band);
// The same, the grid cut into `threads` bands of rows walked at once, one
// by this thread: the grid is the one a single walk leaves.
void walk_cells_in_bands(gt_projector& projector, const position_source& positions, const output_raster& raster,
                         const corner_value& value, unsigned threads);

// One of several grids drawn from the same positions: the projector it is
// drawn in, the raster its values come from and how they are taken. The
// grids of one walk share one window, raster kind and fill, and their
// rasters one size.
struct drawn_grid {
    gt_projector& projector;
    const output_raster& raster;
    const corner_value& value;
};

// The walks above for several grids at once: each grid ends as if walked
// alone, and the places of the cells in the window are found once for all.
void walk_cells(std::span<const drawn_grid> grids, const position_source& positions, grid_rows band);
void walk_cells_in_bands(std::span<const drawn_grid> grids, const position_source& positions, unsigned threads);

// The threads a conversion draws each grid with: one unless the process
// says how many cores are its own (a batch worker: the cores over the
// workers running at once).
void set_drawing_threads(unsigned threads);
unsigned drawing_threads();

} // namespace vardane
