#include "output/output_raster.h"

#include <algorithm>

namespace vardane {

output_raster& output_raster::operator=(output_raster&& other) noexcept
{
    if (this == &other) return *this;
    // A moved vector keeps its block, so the cell pointer stays valid.
    cells_ = std::move(other.cells_);
    adopted_ = std::move(other.adopted_);
    sixteen_ = std::move(other.sixteen_);
    data_ = std::exchange(other.data_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    return *this;
}

void output_raster::reset(std::int32_t width, std::int32_t height)
{
    reset_for_overwrite(width, height);
    std::fill(cells_.begin(), cells_.end(), XVal_t{});
}

void output_raster::reset_for_overwrite(std::int32_t width, std::int32_t height)
{
    // The old cells go first: a global 0.1 degree grid is 26 MB, and two of
    // them need not be held at once.
    clear();
    cells_.resize(std::size_t(width) * std::size_t(height));
    data_ = cells_.data();
    width_ = width;
    height_ = height;
}

void output_raster::adopt(std::int32_t width, std::int32_t height, bulk_vector<float>&& values)
{
    clear();
    adopted_ = std::move(values);
    data_ = reinterpret_cast<XVal_t*>(adopted_.data());
    width_ = width;
    height_ = height;
}

void output_raster::adopt(std::int32_t width, std::int32_t height, bulk_vector<std::uint16_t>&& values)
{
    clear();
    sixteen_ = std::move(values);
    width_ = width;
    height_ = height;
}

void output_raster::clear()
{
    release(cells_);
    release(adopted_);
    release(sixteen_);
    data_ = nullptr;
    width_ = 0;
    height_ = 0;
}

} // namespace vardane
