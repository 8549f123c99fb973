#pragma once

#include <cstdint>

// Rotation of a global image by a whole number of columns around a full turn
// of longitude. Output column c shows source column c + shift, wrapped into
// the row. The shift is folded into [0, width) once, so that every pixel
// needs at most one wrap and no shift can index outside the row.
class column_shift {
public:
    column_shift(std::int32_t shift, std::int32_t width) : width_(width)
    {
        if (width > 0) {
            shift_ = shift % width;
            if (shift_ < 0) shift_ += width;
        }
    }

    std::int32_t source(std::int32_t c) const
    {
        std::int32_t j = c + shift_;
        return j >= width_ ? j - width_ : j;
    }

private:
    std::int32_t width_;
    std::int32_t shift_ = 0;
};
