#pragma once

#include <algorithm>

#include "output/swath/gt_projector.h"

namespace vardane {

// The longitude and latitude range of the positions added, lost positions
// left out: one lost position would otherwise stretch a range over the
// whole Earth.
struct position_range {
    float lonMin = 0.0f;
    float lonMax = 0.0f;
    float latMin = 0.0f;
    float latMax = 0.0f;
    // False until a position that is not lost was added.
    bool any = false;

    // False (nothing added) for a lost position.
    bool add(float lon, float lat)
    {
        if (position_is_lost(lon, lat)) return false;
        if (!any) {
            lonMin = lonMax = lon;
            latMin = latMax = lat;
            any = true;
            return true;
        }
        lonMin = std::min(lonMin, lon);
        lonMax = std::max(lonMax, lon);
        latMin = std::min(latMin, lat);
        latMax = std::max(latMax, lat);
        return true;
    }
};

} // namespace vardane
