#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "output/output_raster.h"

namespace vardane {

struct coregistration_cache;

// What places the pixels of a swath product, set by the run driver per
// product before its variables are loaded and read by the swath writer.
struct swath_geolocation {
    // "lat89A", "lon89A", "lat89B", "lon89B", "lat", "lon".
    std::map<std::string, float_grid> fvals;
    // Co-registration factors by band key ("6G" ... "36G").
    std::map<std::string, float> corA1;
    std::map<std::string, float> corA2;
    // Tile numbers of a tiled product: vertical from the north, horizontal
    // from 180 degrees west.
    std::int32_t tileV = 0;
    std::int32_t tileH = 0;
    // The co-registered 89 GHz positions, kept between the variables of a
    // product and made once per band key.
    std::shared_ptr<coregistration_cache> coregistered;
};

} // namespace vardane
