#pragma once

#include <optional>
#include <string_view>

#include "output/polar/polar_grid_choice.h"

namespace vardane {

// How every GeoTIFF of a run is laid out: `plain` is the strip layout
// without compression; `compressed` is tiled and compressed; `cog` is a
// Cloud-Optimized GeoTIFF with overviews.
enum class geotiff_profile { plain, compressed, cog };

struct geotiff_style {
    geotiff_profile profile = geotiff_profile::plain;
    // The value that means "no data" is recorded in each GeoTIFF.
    bool nodata = false;
    // The grid global latitude/longitude grids are warped onto when a
    // polar projection is asked for.
    polar_grid polarGrid = polar_grid::quick_look;
};

// The profile's name as typed on the command line ("plain", "compressed",
// "cog"), and back; nothing for any other text.
std::string_view geotiff_profile_name(geotiff_profile profile);
std::optional<geotiff_profile> geotiff_profile_named(std::string_view name);

// Whether the style records NoData unless told otherwise: off with `plain`,
// on with the others, whose users expect GIS-ready files.
inline bool nodata_by_default(geotiff_profile profile) { return profile != geotiff_profile::plain; }

} // namespace vardane
