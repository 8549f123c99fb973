#pragma once
// Reading a grid stored transposed a band of stored rows at a time. Each
// stored row is a column of the delivered plane, so the plane can be filled
// band by band from a buffer of a megabyte or so, where reading the whole
// slab first would hold a second copy of a grid of tens of megabytes.

#include <cstdint>
#include <functional>
#include <optional>

#include "reader/hdf5/h5_plane_read.h"

namespace vardane {

// How a plane is read in bands: its slab, seen as storedRows rows of
// rowLength samples along slab dimension rowDim, read rowsPerBand rows at a
// time.
struct h5_bands {
    h5_slab slab;
    int rowDim = 0;
    std::uint64_t storedRows = 0;
    std::uint64_t rowLength = 0;
    std::uint64_t rowsPerBand = 0;
};

// The bands of a plane whose columns are the stored rows of its slab (each
// delivered column one stored row, read forwards or backwards); nothing for
// any other plane, which is read whole.
std::optional<h5_bands> h5_band_layout(const h5_plane& plane, int rank, const std::array<std::uint64_t, 4>& d,
                                       std::size_t sampleBytes);

// Reads every band of `bands` (for `plane`, checked against the dataset as
// h5_read_plane does) and hands each to take(samples, part, firstCol): part
// is the plane's columns [firstCol, firstCol + part.cols) expressed on the
// band's samples. False on any failure; bands already taken stay taken.
template <class T>
bool h5_read_bands(const h5_plane_source& source, const h5_plane& plane, const h5_bands& bands,
                   const std::function<void(const T*, const h5_plane&, std::uint64_t)>& take);

extern template bool h5_read_bands<float>(const h5_plane_source&, const h5_plane&, const h5_bands&,
                                          const std::function<void(const float*, const h5_plane&, std::uint64_t)>&);
extern template bool h5_read_bands<std::uint16_t>(
    const h5_plane_source&, const h5_plane&, const h5_bands&,
    const std::function<void(const std::uint16_t*, const h5_plane&, std::uint64_t)>&);
extern template bool h5_read_bands<std::uint8_t>(
    const h5_plane_source&, const h5_plane&, const h5_bands&,
    const std::function<void(const std::uint8_t*, const h5_plane&, std::uint64_t)>&);

} // namespace vardane
