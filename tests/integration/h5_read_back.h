#pragma once
// Two-dimensional datasets of a synthetic HDF5 product, read straight with
// the HDF5 C++ API, to compare what a run wrote with what the file holds.

#include <cstddef>
#include <string>
#include <vector>

namespace vardane {

namespace integration {

struct h5_grid {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::vector<double> values; // row-major, in the dataset's storage order
    double scale = 1.0;         // the "SCALE FACTOR" attribute, 1 without one
    double at(std::size_t r, std::size_t c) const { return values[r * columns + c]; }
};

// The stored values of a rank-2 dataset, converted to double without
// applying the scale factor; an empty grid when the dataset is missing or
// not rank 2.
h5_grid read_h5_grid(const std::string& file, const std::string& dataset);

// Layer k of a rank-3 dataset stored rows x columns x layers, as above; an
// empty grid when the dataset is missing, not rank 3 or has no layer k.
h5_grid read_h5_layer(const std::string& file, const std::string& dataset, std::size_t layer);

} // namespace integration

} // namespace vardane
