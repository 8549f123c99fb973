#include "reader/hdf5/hdf5_parameter_plane.h"

#include <initializer_list>

namespace {

using h5_sample::float32;
using h5_sample::int16;
using h5_sample::uint16;
using h5_sample::uint8;

bool kind_in(productType kind, std::initializer_list<productType> kinds)
{
    for (const auto k : kinds) {
        if (k == kind) return true;
    }
    return false;
}

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

std::optional<h5_plane> float_plane(productType kind, std::uint32_t idx, int rank,
                                    const std::array<std::uint64_t, 4>& d)
{
    if (kind_in(kind, {PT_AMSR2_L1A, PT_AMSR2_L1B, PT_AMSR2_L1R, PT_AMSR2_L2_HIGH, PT_AMSR2_L2_LOW, PT_AMSRE_L1B,
                       PT_AMSRE_L1R, PT_AMSRE_L2_HIGH, PT_AMSRE_L2_LOW, PT_SGLI_VNR, PT_SGLI_POL, PT_SGLI_IRS,
                       PT_SGLI_NWLR, PT_SGLI_IWPR, PT_SGLI_SST})) {
        if (rank == 2) return rows_cols(d);
        return std::nullopt;
    }
    if (kind_in(kind, {PT_GSMAP_HOURLY, PT_GSMAP_MONTHLY})) {
        if (rank == 2) return transposed(d);
        return std::nullopt;
    }
    if (kind_in(kind, {PT_DPR_DAILY, PT_DPRV7_DAILY}) && rank == 3) {
        if (idx >= d[0]) return std::nullopt;
        return flipped_layer(idx, d[1], d[2]);
    }
    if (kind_in(kind, {PT_DPR_DAILY, PT_DPRV7_DAILY}) && rank == 4) {
        // Daily grids pair two layers per step of the second extent.
        const std::uint64_t i = idx & 1u;
        const std::uint64_t j = idx >> 1;
        if (idx >= d[0] * d[1] || i >= d[0] || j >= d[1]) return std::nullopt;
        return flipped_layer(i * d[1] + j, d[2], d[3]);
    }
    if (kind_in(kind, {PT_DPR_MONTHLY, PT_DPRV7_MONTHLY}) && rank == 4) {
        const std::uint64_t i = idx % d[0];
        const std::uint64_t j = idx / d[0];
        if (j >= d[1]) return std::nullopt;
        return flipped_layer(i * d[1] + j, d[2], d[3]);
    }
    return std::nullopt;
}

std::optional<h5_plane> int16_plane(productType kind, std::uint32_t idx, int rank,
                                    const std::array<std::uint64_t, 4>& d)
{
    if (kind == PT_AMSR2_L1A) {
        if (rank == 2) return rows_cols(d);
        return std::nullopt;
    }
    if (rank != 3) return std::nullopt;
    if (kind_in(kind, {PT_AMSR2_L2_HIGH, PT_AMSRE_L2_HIGH})) {
        // Indexes 0 and 1 are the 89A and 89B datasets; both deliver their first layer.
        const std::uint64_t k = idx / 2;
        if (k >= d[2]) return std::nullopt;
        return layer_of_rows_cols(d, k);
    }
    if (kind_in(kind, {PT_AMSR2_L2_LOW, PT_AMSR2_L3_GD, PT_AMSRE_L2_LOW, PT_AMSRE_L3_GD})) {
        if (idx >= d[2]) return std::nullopt;
        return layer_of_rows_cols(d, idx);
    }
    return std::nullopt;
}

std::optional<h5_plane> uint16_plane(productType kind, int rank, const std::array<std::uint64_t, 4>& d)
{
    const bool listed = kind_in(kind, {PT_AMSR2_L1B, PT_AMSR2_L1R, PT_AMSR2_L3_BT, PT_AMSRE_L1B, PT_AMSRE_L1R,
                                       PT_AMSRE_L3_BT})
        || is_gcomc_kind(kind);
    if (listed && rank == 2) return rows_cols(d);
    return std::nullopt;
}

std::optional<h5_plane> uint8_plane(productType kind, int rank, const std::array<std::uint64_t, 4>& d)
{
    const bool listed = kind_in(kind, {PT_SGLI_VNR, PT_SGLI_POL, PT_SGLI_IRS, PT_SGLI_IWPR, PT_SGLI_SST,
                                       PT_SGLI_LTOA, PT_SGLI_RSRF, PT_SGLI_LST});
    if (listed && rank == 2) return rows_cols(d);
    return std::nullopt;
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
    switch (stored) {
    case float32: return float_plane(kind, idx, rank, d);
    case int16: return int16_plane(kind, idx, rank, d);
    case uint16: return uint16_plane(kind, rank, d);
    case uint8: return uint8_plane(kind, rank, d);
    }
    return std::nullopt;
}
