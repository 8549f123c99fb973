#pragma once

#include <string>

#include "output/warp_extent.h"

namespace vardane {

// One nearest-neighbour warp of a GeoTIFF file into a new GeoTIFF file in
// the projection given by a PROJ definition, through GDAL's warp utility.
// The extent block supplies the output extent, resolution and size where
// set (zero: GDAL's suggestion); quiet is implied, as no progress is ever
// printed. An existing destination is replaced. False, with no destination
// left behind, when the source cannot be opened or has no bands, the
// projection is not understood, or the output cannot be created or written.
bool warp_to_projection(const std::string& source, const std::string& destination, const char* projDefinition,
                        const warp_extent_t& extent);

} // namespace vardane
