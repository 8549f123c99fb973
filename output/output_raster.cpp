#include "output/output_raster.h"

void output_raster::reset(std::int32_t width, std::int32_t height)
{
    clear();
    cells_.assign(std::size_t(width) * std::size_t(height), XVal_t{});
    width_ = width;
    height_ = height;
}

void output_raster::reset_for_overwrite(std::int32_t width, std::int32_t height)
{
    // The old cells go first: a global 0.1 degree grid is 26 MB, and two of
    // them need not be held at once.
    clear();
    cells_.resize(std::size_t(width) * std::size_t(height));
    width_ = width;
    height_ = height;
}

void output_raster::clear()
{
    cells_ = {};
    width_ = 0;
    height_ = 0;
}
