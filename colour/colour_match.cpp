#include "colour/colour_match.h"

#include <cmath>

namespace vardane {

const color_map* match_colour(std::span<const color_map> classes, float v, bool exclusive)
{
    if (std::isnan(v)) return nullptr;
    bool zeroWidthSeen = false;
    for (const color_map& c : classes) {
        if (c.lower != c.upper) {
            const bool in = exclusive ? (c.lower <= v && v < c.upper) : (c.lower < v && v <= c.upper);
            if (in) return &c;
            continue;
        }
        if (zeroWidthSeen) return &c;
        zeroWidthSeen = true;
        if (exclusive ? v < c.upper : v <= c.upper) return &c;
    }
    return nullptr;
}

} // namespace vardane
