#pragma once
// Reading only the part of a dataset that a delivered plane takes its
// samples from: a layered grid of several tens of megabytes is converted one
// layer at a time, and each conversion needs a few of them.

#include <hdf5.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "reader/hdf5/hdf5_parameter_plane.h"
#include "util/bulk_vector.h"

namespace vardane {

class h5_layer_store;

// A hyperslab of a dataset of rank up to 4 and the plane re-expressed on
// the samples of that hyperslab, read in row-major order.
struct h5_slab {
    std::array<hsize_t, 4> start{};
    std::array<hsize_t, 4> count{};
    h5_plane plane;
    std::uint64_t samples = 0;
    // Above 1 for one sample of each cell of a rows x columns x layers
    // array: the cells' samples, of which the slab takes sample start[2].
    std::uint64_t interleave = 1;
};

// The smallest hyperslab this reader cuts out for a plane that fits the
// dataset of `rank` extents d: the one layer of the two trailing extents the
// plane lies in, or one step of the last extent across the others (a layer
// of rows x columns x layers); the whole dataset otherwise.
h5_slab slab_for(const h5_plane& plane, int rank, const std::array<std::uint64_t, 4>& d);

// Where h5_read_plane reads from: an open file and dataset, the memory type
// to convert to and the dataset's extents; and, when given, where the other
// layers of an interleaved dataset are kept for the reads that follow (its
// use_for() names this dataset).
struct h5_plane_source {
    hid_t file;
    hid_t dataset;
    hid_t memType;
    int rank;
    std::array<std::uint64_t, 4> d;
    h5_layer_store* layers = nullptr;
};

// Reads the hyperslab start/count (source.rank entries each) of the dataset
// into out, in row-major order, as samples of source.memType. False on any
// failure.
bool h5_read_hyperslab(const h5_plane_source& source, const hsize_t* start, const hsize_t* count, void* out);

// The number of samples of the dataset when a plane of samples of
// sampleBytes can be read from it: the memory type has that size, the
// dataset the rank given and a plausible size for its file, and the plane
// lies inside it.
std::optional<std::uint64_t> h5_plane_readable(const h5_plane_source& source, const h5_plane& plane,
                                               std::size_t sampleBytes);

// The samples of a plane, converted to source.memType (whose size must be
// sizeof(T)): the whole dataset is checked for plausibility as before, then
// only the slab is allocated, without clearing it, and read. A layer of an
// interleaved dataset comes from source.layers when a read before kept it.
// False on any failure; `plane` is then unchanged.
template <class T>
bool h5_read_plane(const h5_plane_source& source, h5_plane& plane, bulk_vector<T>& out);

extern template bool h5_read_plane<float>(const h5_plane_source&, h5_plane&, bulk_vector<float>&);
extern template bool h5_read_plane<std::uint16_t>(const h5_plane_source&, h5_plane&, bulk_vector<std::uint16_t>&);
extern template bool h5_read_plane<std::uint8_t>(const h5_plane_source&, h5_plane&, bulk_vector<std::uint8_t>&);

} // namespace vardane
