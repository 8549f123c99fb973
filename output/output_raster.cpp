#include "output/output_raster.h"

void output_raster::reset(std::int32_t width, std::int32_t height)
{
    clear();
    cells_.assign(std::size_t(width) * std::size_t(height), XVal_t{});
    width_ = width;
    height_ = height;
}

void output_raster::clear()
{
    // Swap with an empty vector so that the memory is actually returned:
    // a global 0.1 degree grid is 26 MB.
    std::vector<XVal_t>().swap(cells_);
    width_ = 0;
    height_ = 0;
}
