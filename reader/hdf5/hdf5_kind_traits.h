#pragma once

#include <cstdint>
#include <optional>

#include "reader/product_kind.h"
#include "reader/product_types.h"

namespace vardane {

// How the extents d0, d1, ... of a dataset give width, height and layers.
enum class h5_shape_rule {
    rows_cols,        // width d1, height d0
    rows_cols_layers, // width d1, height d0, layers d2
    cols_rows,        // width d0, height d1 (stored transposed)
    layered_grid,     // rank 3: width d1, height d2, layers d0;
                      // rank 4: width d2, height d3, layers d0 x d1
};

// How the parameter indexes of a kind map onto its dataset table.
enum class h5_parameter_rule : std::uint8_t {
    entries,             // parameter idx is table entry idx
    layers,              // the layers of entry 0, all with its scale factor
    layers_then_entries, // the layers of entry 0, then entries 1, 2 ... (geolocation)
};

// Which latitude/longitude datasets give the corner points.
enum class h5_corner_source {
    fixed,          // no geolocation: fixed corners of the grid
    geolocation_ab, // 89A pair to corners, 89B pair to cornersB
    geolocation_a,  // 89A pair to corners
    geolocation,    // the one low-resolution pair to corners
};

// Which part of a dataset read whole parameter idx delivers (the functions
// of hdf5_parameter_plane.cpp); a rule also names the ranks it accepts.
enum class h5_plane_rule : std::uint8_t {
    none,                // the kind has no dataset stored in this type
    rows_cols,           // rank 2, as stored
    transposed,          // rank 2 stored column by column, last stored column first
    dpr_daily_layers,    // rank 3: layer idx; rank 4: two layers per step of the second extent
    dpr_monthly_layers,  // rank 4: the first extent runs fastest
    l2high_pair_layers,  // rank 3: idx 2k and 2k+1 (89A and 89B) deliver layer k
    layers_of_rows_cols, // rank 3: layer idx
};

// Plane rule per stored sample type.
struct h5_plane_rules {
    h5_plane_rule float32 = h5_plane_rule::none;
    h5_plane_rule int16 = h5_plane_rule::none;
    h5_plane_rule uint16 = h5_plane_rule::none;
    h5_plane_rule uint8 = h5_plane_rule::none;

    h5_plane_rule of(h5_sample stored) const;
};

// Bytes per sample of parameter idx where it differs from the kind's
// bytesPerSample: products list their integer channels first, then 1-byte
// flags and float geolocation.
struct h5_byte_rule {
    static constexpr std::uint32_t kNever = UINT32_MAX;
    std::uint32_t floatFrom = kNever; // 4 bytes from this index on
    std::uint32_t byteAt = kNever;    // the one 1-byte index
    std::uint32_t byteFrom = kNever;  // 1 byte from this index on

    std::uint32_t bytes(std::uint32_t idx, std::uint32_t otherwise) const;
};

// How parameter idx is named and placed in its description.
enum class h5_info_rule : std::uint8_t {
    label,       // the product label names every parameter
    table_names, // its table entry, but the last `unnamedTail` entries (geolocation) take the label
    first_entry, // table entry 0 names every parameter
    ab_pairs,    // even idx: 89A entry with corners; odd idx: 89B entry with cornersB
};

// What the HDF5 reader knows about one product kind.
struct hdf5_kind_traits {
    productType kind;
    const char* label; // product label; nullptr where the kind has none
    h5_shape_rule shape;
    h5_parameter_rule parameters;
    bool l3Grid; // grid variant classified from the grid size
    bool sgli;   // datasets are opened without a prior existence test
    std::int32_t bytesPerSample;
    h5_corner_source corners;
    h5_byte_rule byteRule;
    h5_plane_rules planes;
    h5_info_rule info;
    std::uint32_t unnamedTail; // for h5_info_rule::table_names
    product_kind_facts facts;
};

// Traits of kinds 4 to 32; nullptr for any other kind.
const hdf5_kind_traits* hdf5_traits_of(productType kind);

// The L3 grid variant of a width x height grid; nothing for an unknown size.
std::optional<L3PsType> classify_l3_grid(std::uint64_t width, std::uint64_t height);

// Fixed corners (upper-left, upper-right, lower-left, lower-right) of a kind
// without geolocation datasets.
void fixed_corners(productType kind, L3PsType grid, earthPoint_t corners[4]);

} // namespace vardane
