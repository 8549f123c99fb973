#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "output/xval.h"
#include "util/bulk_vector.h"

// The output raster: height rows of width cells in one contiguous block.
// Row 0 is the first line of the product (north-up for gridded products),
// column 0 its first pixel.
class output_raster {
public:
    output_raster() = default;
    output_raster(output_raster&& other) noexcept { *this = std::move(other); }
    output_raster& operator=(output_raster&& other) noexcept;
    // Tens of megabytes are never copied by accident.
    output_raster(const output_raster&) = delete;
    output_raster& operator=(const output_raster&) = delete;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    bool empty() const { return data_ == nullptr; }

    // Discards the old cells and makes height rows of width zero cells.
    // Both sizes must be positive; the product must fit in memory.
    void reset(std::int32_t width, std::int32_t height);
    // As reset, but the cells are left as the allocator gives them: for a
    // loader that writes every cell whole, which spares clearing tens of
    // megabytes only to overwrite them.
    void reset_for_overwrite(std::int32_t width, std::int32_t height);
    // Takes over a plane of height rows of width floats as the cells of an
    // RK_FLOAT32 raster, without a copy: a float and a cell holding it are
    // laid out alike. values must hold at least width * height samples.
    void adopt_floats(std::int32_t width, std::int32_t height, bulk_vector<float>&& values);
    // Frees every cell; the raster becomes 0 x 0.
    void clear();

    XVal_t& at(std::int32_t row, std::int32_t col) { return data_[index(row, col)]; }
    const XVal_t& at(std::int32_t row, std::int32_t col) const { return data_[index(row, col)]; }

    std::span<XVal_t> row(std::int32_t r) { return {data_ + index(r, 0), std::size_t(width_)}; }
    std::span<const XVal_t> row(std::int32_t r) const { return {data_ + index(r, 0), std::size_t(width_)}; }

private:
    std::size_t index(std::int32_t row, std::int32_t col) const
    {
        return std::size_t(row) * std::size_t(width_) + std::size_t(col);
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    // The cells live in one of the two: cells of their own, or a float plane
    // taken over from a read.
    bulk_vector<XVal_t> cells_;
    bulk_vector<float> adopted_;
    XVal_t* data_ = nullptr;
};

// A two-dimensional float array (geolocation), stored like the raster.
struct float_grid {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<float> values;

    float at(std::int32_t row, std::int32_t col) const
    {
        return values[std::size_t(row) * std::size_t(width) + std::size_t(col)];
    }
};
