#pragma once
// Where a parameter index of an HDF5 product lives: which dataset of the
// kind's table and, in a dataset of layers, which layer.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "reader/product_description.h"

namespace vardane {

struct h5_parameter_slot {
    std::size_t entry;   // index into the kind's dataset table
    std::uint32_t layer; // the layer read from a layered dataset; else the parameter index
};

// The slot of parameter idx of a recognised HDF5 product; nothing when the
// kind has no table or idx is not one of its parameters.
std::optional<h5_parameter_slot> hdf5_parameter_slot(const product_description& d, std::uint32_t idx);

} // namespace vardane
