#pragma once

#include <cstdint>

namespace vardane {

// One cell of the output raster. Which member is meaningful is fixed for a
// whole raster by its RasterKind and never changes within it.
union XVal_t {
    std::uint8_t bytes[4]; // grey value or red, green, blue; byte 3 unused
    std::uint16_t u16;
    std::int16_t s16;
    float f32;
};
static_assert(sizeof(XVal_t) == 4, "a raster cell is four bytes");
static_assert(sizeof(XVal_t) == sizeof(float) && alignof(XVal_t) == alignof(float),
              "a plane of floats can serve as the cells of a float raster");

// Which member of XVal_t a raster holds. The numbers are part of the
// writers' contracts (band layout, nodata choice) and must not change.
enum RasterKind : std::int32_t {
    RK_NONE = -1,
    RK_UINT16 = 0,
    RK_BYTE = 1,
    RK_RGB = 2,
    RK_FLOAT32 = 3,
    RK_INT16 = 4,
};

} // namespace vardane
