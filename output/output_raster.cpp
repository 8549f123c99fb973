#include "output/output_raster.h"

#include <algorithm>

void output_raster::reset(std::int32_t width, std::int32_t height)
{
    reset_for_overwrite(width, height);
    std::fill_n(cells_.get(), std::size_t(width) * std::size_t(height), XVal_t{});
}

void output_raster::reset_for_overwrite(std::int32_t width, std::int32_t height)
{
    // The old cells go first: a global 0.1 degree grid is 26 MB, and two of
    // them need not be held at once.
    clear();
    cells_ = std::make_unique_for_overwrite<XVal_t[]>(std::size_t(width) * std::size_t(height));
    width_ = width;
    height_ = height;
}

void output_raster::clear()
{
    cells_.reset();
    width_ = 0;
    height_ = 0;
}
