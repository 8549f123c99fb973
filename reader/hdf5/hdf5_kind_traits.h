#pragma once

#include <cstdint>
#include <optional>

#include "reader/product_types.h"

// How the extents d0, d1, ... of a dataset give width, height and layers.
enum class h5_shape_rule {
    rows_cols,        // width d1, height d0
    rows_cols_layers, // width d1, height d0, layers d2
    cols_rows,        // width d0, height d1 (stored transposed)
    layered_grid,     // rank 3: width d1, height d2, layers d0;
                      // rank 4: width d2, height d3, layers d0 x d1
};

// Which latitude/longitude datasets give the corner points.
enum class h5_corner_source {
    fixed,          // no geolocation: fixed corners of the grid
    geolocation_ab, // 89A pair to corners, 89B pair to cornersB
    geolocation_a,  // 89A pair to corners
    geolocation,    // the one low-resolution pair to corners
};

// What the HDF5 reader knows about one product kind.
struct hdf5_kind_traits {
    productType kind;
    const char* label; // product label; nullptr where the kind has none
    h5_shape_rule shape;
    bool layered;      // parameters are the layers of the table's one dataset
    bool l3Grid;       // grid variant classified from the grid size
    bool sgli;         // datasets are opened without a prior existence test
    std::int32_t bytesPerSample;
    h5_corner_source corners;
};

// Traits of kinds 4 to 32; nullptr for any other kind.
const hdf5_kind_traits* hdf5_traits_of(productType kind);

// The L3 grid variant of a width x height grid; nothing for an unknown size.
std::optional<L3PsType> classify_l3_grid(std::uint64_t width, std::uint64_t height);

// Fixed corners (upper-left, upper-right, lower-left, lower-right) of a kind
// without geolocation datasets.
void fixed_corners(productType kind, L3PsType grid, earthPoint_t corners[4]);
