#pragma once

#include "reader/product_description.h"

namespace vardane {

// Corners of a JASMES image from the centre of its upper-left pixel, the pixel
// size and the first parameter's shape: the outer edges of the edge pixels.
// Also sets the product label "JASMES_" + para ("JASMES_unknown" without para).
void set_jasmes_corners_and_label(product_description& info);

// Whether the grid a header describes can lie on the Earth: finite values, a
// positive pixel size, every row centre within the poles (half a pixel of
// slack) and the origin longitude within one turn either way. A header that
// fails gives no image: a zero pixel size, a mirrored grid or an origin off
// the globe would only make a wrongly placed GeoTIFF.
bool jasmes_grid_plausible(const product_description& info);

} // namespace vardane
