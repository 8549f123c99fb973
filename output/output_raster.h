#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "output/xval.h"
#include "util/bulk_vector.h"

namespace vardane {

// The samples of one raster row as type T, wherever the raster keeps them:
// the T member of four-byte cells, or a plane of T taken over from a read.
// Every member of XVal_t starts at its first byte, so both are a first
// sample and a step in bytes.
template <class T>
class sample_row {
public:
    sample_row(const std::byte* first, std::size_t step) : first_(first), step_(step) {}

    T operator[](std::size_t i) const
    {
        T v;
        std::memcpy(&v, first_ + i * step_, sizeof(T));
        return v;
    }
    // Samples [from, from + count) into out: one copy when they lie side by side.
    void copy_to(T* out, std::size_t from, std::size_t count) const
    {
        if (step_ == sizeof(T)) {
            std::memcpy(out, first_ + from * step_, count * sizeof(T));
            return;
        }
        for (std::size_t i = 0; i < count; ++i) out[i] = (*this)[from + i];
    }
    const std::byte* first() const { return first_; }
    std::size_t step() const { return step_; }

private:
    const std::byte* first_;
    std::size_t step_;
};

// The output raster: height rows of width cells in one contiguous block.
// Row 0 is the first line of the product (north-up for gridded products),
// column 0 its first pixel.
//
// A raster made by reset() has cells of four bytes (XVal_t), written through
// at() and row(). A raster that took over a read's plane keeps the plane as
// it is: floats, which are laid out like cells, or 16-bit samples, two bytes
// a cell. Writers therefore read cells through cell() and samples(), which
// serve every layout; at() and row() are for rasters with XVal_t cells.
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
    bool empty() const { return width_ == 0; }
    // Bytes a cell takes: 2 for a 16-bit plane taken over, else 4.
    std::size_t cell_bytes() const { return sixteen_.empty() ? sizeof(XVal_t) : sizeof(std::uint16_t); }

    // Discards the old cells and makes height rows of width zero cells.
    // Both sizes must be positive; the product must fit in memory.
    void reset(std::int32_t width, std::int32_t height);
    // As reset, but the cells are left as the allocator gives them: for a
    // loader that writes every cell whole, which spares clearing tens of
    // megabytes only to overwrite them.
    void reset_for_overwrite(std::int32_t width, std::int32_t height);
    // Take over a plane of height rows of width samples, without a copy:
    // floats for an RK_FLOAT32 raster, 16-bit samples (the bits of signed
    // ones alike) for RK_UINT16 and RK_INT16. values must hold at least
    // width * height samples.
    void adopt(std::int32_t width, std::int32_t height, bulk_vector<float>&& values);
    void adopt(std::int32_t width, std::int32_t height, bulk_vector<std::uint16_t>&& values);
    // Frees every cell; the raster becomes 0 x 0.
    void clear();

    // A cell whatever the layout; one of a 16-bit plane holds its sample in
    // u16 (and s16), its other bytes zero.
    XVal_t cell(std::int32_t row, std::int32_t col) const
    {
        if (!sixteen_.empty()) {
            XVal_t v{};
            v.u16 = sixteen_[index(row, col)];
            return v;
        }
        return data_[index(row, col)];
    }
    // Row r's samples of type T: the member a cell of this raster's kind
    // holds (std::uint16_t or std::int16_t, float, std::uint8_t for byte 0).
    template <class T>
    sample_row<T> samples(std::int32_t r) const
    {
        const auto* base = sixteen_.empty() ? reinterpret_cast<const std::byte*>(data_)
                                            : reinterpret_cast<const std::byte*>(sixteen_.data());
        return {base + index(r, 0) * cell_bytes(), cell_bytes()};
    }

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
    // The cells live in one of the three: cells of their own, or a plane
    // taken over from a read. data_ points to four-byte cells, or is null.
    bulk_vector<XVal_t> cells_;
    bulk_vector<float> adopted_;
    bulk_vector<std::uint16_t> sixteen_;
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

} // namespace vardane
