#pragma once

#include <cstdint>
#include <span>

#include "reader/jasmes_state.h"

namespace vardane {

// The fixed latitude/longitude grids of the JASMES products, in lookup order.
// The HDF4 products know one more grid than the flat-binary ones (the fine
// Japan grid), placed second.
std::span<const GeoParam_t> jasmes_binary_grids();
std::span<const GeoParam_t> jasmes_hdf4_grids();

// First grid of the list with exactly this width and height; nullptr when none.
const GeoParam_t* find_jasmes_grid(std::span<const GeoParam_t> grids, std::int64_t width, std::int64_t height);

} // namespace vardane
