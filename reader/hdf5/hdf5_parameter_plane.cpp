#include "reader/hdf5/hdf5_parameter_plane.h"

#include <initializer_list>

#include "reader/hdf5/hdf5_kind_traits.h"

namespace vardane {

namespace {

std::int64_t s(std::uint64_t v) { return static_cast<std::int64_t>(v); }

// out[r][c] = in[r][c]
h5_plane rows_cols(const std::array<std::uint64_t, 4>& d) { return {0, s(d[1]), 1, d[0], d[1]}; }

// out[r][c] = in[r][c][k]
h5_plane layer_of_rows_cols(const std::array<std::uint64_t, 4>& d, std::uint64_t k)
{
    return {s(k), s(d[1] * d[2]), s(d[2]), d[0], d[1]};
}

// out[r][c] = in[c][d1-1-r]: the last stored column becomes the first row.
h5_plane transposed(const std::array<std::uint64_t, 4>& d) { return {s(d[1]) - 1, -1, s(d[1]), d[1], d[0]}; }

// out[r][c] = in[layer][c][last-r] of an array of layers of cols x rows.
h5_plane flipped_layer(std::uint64_t layer, std::uint64_t cols, std::uint64_t rows)
{
    return {s(layer * cols * rows + rows - 1), -1, s(rows), rows, cols};
}

std::optional<h5_plane> dpr_daily_layers(std::uint32_t idx, int rank, const std::array<std::uint64_t, 4>& d)
{
    if (rank == 3) {
        if (idx >= d[0]) return std::nullopt;
        return flipped_layer(idx, d[1], d[2]);
    }
    if (rank != 4) return std::nullopt;
    // Daily grids pair two layers per step of the second extent.
    const std::uint64_t i = idx & 1u;
    const std::uint64_t j = idx >> 1;
    if (idx >= d[0] * d[1] || i >= d[0] || j >= d[1]) return std::nullopt;
    return flipped_layer(i * d[1] + j, d[2], d[3]);
}

std::optional<h5_plane> dpr_monthly_layers(std::uint32_t idx, int rank, const std::array<std::uint64_t, 4>& d)
{
    if (rank != 4) return std::nullopt;
    const std::uint64_t i = idx % d[0];
    const std::uint64_t j = idx / d[0];
    if (j >= d[1]) return std::nullopt;
    return flipped_layer(i * d[1] + j, d[2], d[3]);
}

} // namespace

bool h5_plane::fits(std::uint64_t n) const
{
    if (rows == 0 || cols == 0) return false;
    const std::int64_t lastRow = s(rows - 1) * rowStep;
    const std::int64_t lastCol = s(cols - 1) * colStep;
    for (const std::int64_t corner : {base, base + lastRow, base + lastCol, base + lastRow + lastCol}) {
        if (corner < 0 || static_cast<std::uint64_t>(corner) >= n) return false;
    }
    return true;
}

std::optional<h5_plane> parameter_plane(productType kind, h5_sample stored, std::uint32_t idx, int rank,
                                        const std::array<std::uint64_t, 4>& d)
{
    const hdf5_kind_traits* traits = hdf5_traits_of(kind);
    if (!traits) return std::nullopt;
    switch (traits->planes.of(stored)) {
    case h5_plane_rule::none: return std::nullopt;
    case h5_plane_rule::rows_cols:
        if (rank == 2) return rows_cols(d);
        return std::nullopt;
    case h5_plane_rule::transposed:
        if (rank == 2) return transposed(d);
        return std::nullopt;
    case h5_plane_rule::dpr_daily_layers: return dpr_daily_layers(idx, rank, d);
    case h5_plane_rule::dpr_monthly_layers: return dpr_monthly_layers(idx, rank, d);
    case h5_plane_rule::l2high_pair_layers: {
        // Indexes 0 and 1 are the 89A and 89B datasets; both deliver their first layer.
        const std::uint64_t k = idx / 2;
        if (rank != 3 || k >= d[2]) return std::nullopt;
        return layer_of_rows_cols(d, k);
    }
    case h5_plane_rule::layers_of_rows_cols:
        if (rank != 3 || idx >= d[2]) return std::nullopt;
        return layer_of_rows_cols(d, idx);
    }
    return std::nullopt;
}

} // namespace vardane
