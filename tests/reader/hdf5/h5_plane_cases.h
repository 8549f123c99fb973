#pragma once
// Planes of a test dataset, read as the HDF5 reader delivers them.

#include <vector>

#include "reader/hdf5/h5_plane_read.h"

namespace vardane::h5fx {

// A plane of a dataset of extents `dims`, named for the failure messages.
struct plane_case {
    const char* name;
    std::vector<hsize_t> dims;
    h5_plane plane;
};

// The plane's samples as h5_read_plane reads them and copy_plane lays them
// out, row after row; empty when the read fails.
std::vector<float> delivered_samples(const h5_plane_source& source, h5_plane plane);

} // namespace vardane::h5fx
