#pragma once

#include <cstdint>

namespace vardane {

// Extent, resolution and size overrides for creating a warp output. Zero
// means "not set" for every field.
struct warp_extent_t {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    double resX = 0.0;
    double resY = 0.0;
    std::int32_t targetAlignedPixels = 0;
    std::int32_t forcedWidth = 0;
    std::int32_t forcedHeight = 0;
    std::int32_t quiet = 0;
    std::int32_t destAlpha = 0;
    std::int32_t srcAlpha = 0;
    std::int32_t virtualOutput = 0;
};

} // namespace vardane
