#pragma once

#include <cstdint>
#include <optional>

#include <gdal.h>

#include "output/xval.h"

namespace vardane {

// How a raster kind is written to a GDAL file: sample type and band count.
// Band k of an RGB raster holds byte k - 1 of each cell; every other kind has
// one band holding its member of XVal_t.
struct raster_layout {
    RasterKind kind;
    GDALDataType type;
    int bands;
};

inline constexpr raster_layout kRasterLayouts[] = {
    {RK_UINT16, GDT_UInt16, 1},   {RK_BYTE, GDT_Byte, 1},   {RK_RGB, GDT_Byte, 3},
    {RK_FLOAT32, GDT_Float32, 1}, {RK_INT16, GDT_Int16, 1},
};

inline std::optional<raster_layout> layout_of(std::int32_t kind)
{
    for (const raster_layout& l : kRasterLayouts) {
        if (l.kind == kind) return l;
    }
    return std::nullopt;
}

} // namespace vardane
