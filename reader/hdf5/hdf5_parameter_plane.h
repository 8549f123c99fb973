#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "reader/product_types.h"

namespace vardane {

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

// Copies a plane into a row-major destination whose rows are outRow
// samples apart (plane.cols * stride when 0), `stride` destination samples
// per delivered sample, converting each sample with convert. The caller has
// checked plane.fits(in.size()) and sized out.
// A plane whose columns are not adjacent in the source (a transpose) is
// copied in square tiles: the source lines and destination rows a tile
// touches stay in the cache until the tile is done, where a whole-row walk
// would fetch a new source line, and page, for every sample.
template <class In, class Out, class Convert>
void copy_plane(const In* in, const h5_plane& plane, Out* out, std::size_t stride, Convert convert,
                std::size_t outRow = 0)
{
    constexpr std::uint64_t kTile = 64;
    if (outRow == 0) outRow = plane.cols * stride;
    const bool adjacent = plane.colStep == 1 || plane.colStep == -1;
    const std::uint64_t rowTile = adjacent ? plane.rows : kTile;
    const std::uint64_t colTile = adjacent ? plane.cols : kTile;
    for (std::uint64_t r0 = 0; r0 < plane.rows; r0 += rowTile) {
        const std::uint64_t r1 = std::min(plane.rows, r0 + rowTile);
        for (std::uint64_t c0 = 0; c0 < plane.cols; c0 += colTile) {
            const std::uint64_t c1 = std::min(plane.cols, c0 + colTile);
            for (std::uint64_t r = r0; r < r1; ++r) {
                const In* src = in + plane.base + static_cast<std::int64_t>(r) * plane.rowStep;
                Out* dst = out + r * outRow;
                for (std::uint64_t c = c0; c < c1; ++c) {
                    dst[c * stride] = convert(src[static_cast<std::int64_t>(c) * plane.colStep]);
                }
            }
        }
    }
}

} // namespace vardane
