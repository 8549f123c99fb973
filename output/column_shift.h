#pragma once

#include <cstdint>

namespace vardane {

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

    // Calls run(first, source, count) for the two runs of adjacent columns
    // a shifted row is made of: output columns [0, width - shift) from
    // [shift, width), then the rest from [0, shift). A copy per run walks
    // both rows straight through, with no wrap test per pixel.
    template <class Run>
    void for_each_run(Run run) const
    {
        if (width_ <= 0) return;
        run(std::int32_t{0}, shift_, width_ - shift_);
        if (shift_ > 0) run(width_ - shift_, std::int32_t{0}, shift_);
    }

private:
    std::int32_t width_;
    std::int32_t shift_ = 0;
};

} // namespace vardane
