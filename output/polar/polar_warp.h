#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gdal_utils.h>

#include "output/gdal_session.h"
#include "output/warp_extent.h"

class GDALDataset;

namespace vardane {

// One hemisphere of a polar output and the file it goes to.
struct hemisphere {
    bool north;
    std::string name;
};

// The hemispheres a polar mode asks for, north first: 0 both, 1 north, 2
// south.
std::vector<hemisphere> hemispheres_of(std::int32_t mode, const std::string& north, const std::string& south);

struct warp_options_freer {
    void operator()(GDALWarpAppOptions* o) const { GDALWarpAppOptionsFree(o); }
};
using warp_options_ptr = std::unique_ptr<GDALWarpAppOptions, warp_options_freer>;

// The warp utility's options from its command-line arguments, without
// progress output (the program's standard output is its log); nullptr for
// arguments it refuses.
warp_options_ptr make_warp_options(const std::vector<std::string>& args);

// The warp of an open dataset into a new one: a GeoTIFF file at
// destination, or an in-memory dataset when destination is empty. nullptr,
// with no file left behind, when the projection is not understood or the
// warp fails.
gdal_session::dataset_ptr warp_dataset(GDALDataset& source, const std::string& destination, const char* projDefinition,
                                       const warp_extent_t& extent);

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
