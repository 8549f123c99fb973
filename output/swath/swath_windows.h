#pragma once

#include <vector>

#include "output/swath_geolocation.h"
#include "reader/product_types.h"
#include "util/view.h"

namespace vardane {

// How the output windows of a swath product kind are laid out.
enum class window_layout {
    global,       // one 0.1-degree window of the whole Earth (the radiometers)
    polarisation, // four fixed 0.009-degree quarter-Earth windows
    extent,       // around the scene's "lat"/"lon" extent, 0.002 degrees
    tile,         // around the 10-degree tile, exactly 1/480 degree
};

window_layout window_layout_of(productType kind);

// The windows of the current product in the order they are made; empty when
// the geolocation gives no usable extent.
std::vector<view_t> windows_for(const swath_geolocation& geo, productType kind);

// The windows of a scene whose "lat"/"lon" arrays are these: one, or two
// ("_1" east of the 180th meridian's west side, "_2" west of it) when the
// longitudes span half a turn or more.
std::vector<view_t> extent_windows(const std::vector<float>& lat, const std::vector<float>& lon);

// The window of tile (v, h).
std::vector<view_t> tile_windows(int v, int h);

} // namespace vardane
