#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "reader/product_types.h"

// Where one delivered parameter lies in a dataset read whole: delivered
// sample [r][c] is stored sample base + r * rowStep + c * colStep, for
// r < rows and c < cols. Flips and transposes are negative or swapped steps.
struct h5_plane {
    std::int64_t base = 0;
    std::int64_t rowStep = 0;
    std::int64_t colStep = 0;
    std::uint64_t rows = 0;
    std::uint64_t cols = 0;

    // True when every sample of the plane lies inside an array of n samples.
    bool fits(std::uint64_t n) const;
};

// The plane that parameter idx of a dataset of kind `kind`, stored as
// `stored`, with `rank` extents d (extents beyond the rank are 1), delivers.
// Nothing when the kind has no copy rule for that stored type and rank, or
// when idx names no layer of the dataset.
std::optional<h5_plane> parameter_plane(productType kind, h5_sample stored, std::uint32_t idx, int rank,
                                        const std::array<std::uint64_t, 4>& d);

// Copies a plane into a row-major destination of plane.cols samples per row,
// `stride` destination samples per delivered sample, converting each sample
// with convert. The caller has checked plane.fits(in.size()) and sized out.
template <class In, class Out, class Convert>
void copy_plane(const std::vector<In>& in, const h5_plane& plane, std::vector<Out>& out, std::size_t stride,
                Convert convert)
{
    for (std::uint64_t r = 0; r < plane.rows; ++r) {
        const std::int64_t rowStart = plane.base + static_cast<std::int64_t>(r) * plane.rowStep;
        Out* dst = out.data() + r * plane.cols * stride;
        for (std::uint64_t c = 0; c < plane.cols; ++c) {
            dst[c * stride] = convert(in[static_cast<std::size_t>(rowStart + static_cast<std::int64_t>(c) * plane.colStep)]);
        }
    }
}
