#pragma once

#include <cstdint>

#include "output/xval.h"
#include "reader/product_types.h"

namespace vardane {

// The value a raster cell gives a swath cell corner: signed 16 bits for
// kind 4, byte 0 for kind 1, else the unsigned 16 bits. A dataset with a
// mask carries flag bits above its counts: the count is the value with the
// flags masked off, and a count outside the valid range (missing, saturated)
// is no value, as is the fill 65535 itself.
class corner_value {
public:
    corner_value(std::int32_t kind, const dataAttr_t& attr)
        : kind_(kind), mask_(attr.mask), min_(attr.minValidDN), max_(attr.maxValidDN)
    {
    }

    std::int32_t operator()(const XVal_t& cell) const
    {
        if (kind_ == RK_INT16) return cell.s16;
        if (kind_ == RK_BYTE) return cell.bytes[0];
        const std::uint16_t u = cell.u16;
        if (mask_ == 0 || u == kNoValue) return u;
        const std::uint16_t count = u & mask_;
        return count >= min_ && count <= max_ ? count : kNoValue;
    }

    static constexpr std::uint16_t kNoValue = 65535; // the unsigned grid's nodata

private:
    std::int32_t kind_;
    std::uint16_t mask_;
    std::uint16_t min_;
    std::uint16_t max_;
};

} // namespace vardane
