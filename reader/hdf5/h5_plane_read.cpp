#include "reader/hdf5/h5_plane_read.h"

#include <algorithm>
#include <initializer_list>
#include <new>
#include <utility>
#include <vector>

#include "reader/hdf5/h5_dataset_shape.h"
#include "reader/hdf5/h5_handles.h"
#include "reader/hdf5/h5_layer_store.h"

namespace vardane {

namespace {

// Bytes of stored rows read at a time when a sample is picked out of cells.
constexpr std::uint64_t kBandBytes = std::uint64_t(1) << 20;

std::int64_t s(std::uint64_t v) { return static_cast<std::int64_t>(v); }

h5_slab whole(const h5_plane& plane, int rank, const std::array<std::uint64_t, 4>& d)
{
    h5_slab slab;
    slab.plane = plane;
    slab.samples = 1;
    for (int i = 0; i < rank; ++i) {
        slab.count[std::size_t(i)] = d[std::size_t(i)];
        slab.samples *= d[std::size_t(i)];
    }
    return slab;
}

// The slab in one read: the whole dataset, or a hyperslab of it.
template <class T>
bool read_slab(const h5_plane_source& source, const h5_slab& slab, bool whole, T* out)
{
    if (whole) return H5Dread(source.dataset, source.memType, H5S_ALL, H5S_ALL, H5P_DEFAULT, out) >= 0;
    return h5_read_hyperslab(source, slab.start.data(), slab.count.data(), out);
}

// Rows of the dataset's chunks; 1 when it is not stored in chunks.
std::uint64_t chunk_rows(hid_t dataset)
{
    const h5_plist creation(H5Dget_create_plist(dataset));
    if (!creation || H5Pget_layout(creation.get()) != H5D_CHUNKED) return 1;
    std::array<hsize_t, 4> dims{};
    const int rank = H5Pget_chunk(creation.get(), int(dims.size()), dims.data());
    return rank >= 1 && dims[0] > 0 ? dims[0] : 1;
}

// One sample of every cell, read a band of whole stored rows at a time and
// picked out here. HDF5 gathers a selection with a step one sample at a
// time, which took three times as long as the rest of the conversion.
// A band holds whole rows of chunks: a band ending inside a chunk would
// have it decompressed again for the next band (a row of compressed chunks
// is more than HDF5's chunk cache keeps), which made such a plane fifteen
// times slower to read than the whole dataset. `others` has a buffer of the
// slab's cells for every other layer to be picked out of the same bands, an
// empty one for a layer not wanted.
template <class T>
bool read_interleaved(const h5_plane_source& source, const h5_slab& slab, T* out, std::vector<bulk_vector<T>>& others)
{
    const std::uint64_t rows = slab.count[0];
    const std::uint64_t cellsPerRow = slab.count[1];
    const std::uint64_t rowSamples = cellsPerRow * slab.interleave;
    const std::uint64_t chunk = chunk_rows(source.dataset);
    const std::uint64_t fitting = kBandBytes / (rowSamples * sizeof(T)) / chunk * chunk;
    const std::uint64_t rowsPerBand = std::clamp<std::uint64_t>(std::max(fitting, chunk), 1, rows);

    std::vector<T*> into(slab.interleave, nullptr);
    into[slab.start[2]] = out;
    for (std::size_t k = 0; k < others.size() && k < into.size(); ++k) {
        if (!others[k].empty()) into[k] = others[k].data();
    }
    bulk_vector<T> band;
    try {
        band.resize(std::size_t(rowsPerBand * rowSamples));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::uint64_t row = 0; row < rows; row += rowsPerBand) {
        const std::uint64_t n = std::min(rowsPerBand, rows - row);
        const std::array<hsize_t, 3> start{slab.start[0] + row, 0, 0};
        const std::array<hsize_t, 3> count{n, cellsPerRow, slab.interleave};
        if (!h5_read_hyperslab(source, start.data(), count.data(), band.data())) return false;
        for (std::uint64_t k = 0; k < slab.interleave; ++k) {
            if (!into[k]) continue;
            T* dst = into[k] + row * cellsPerRow;
            const T* src = band.data() + k;
            for (std::uint64_t i = 0; i < n * cellsPerRow; ++i) dst[i] = src[i * slab.interleave];
        }
    }
    return true;
}

// Buffers for the layers of an interleaved slab other than the one read,
// when a store keeps them: none when any cannot be had.
template <class T>
std::vector<bulk_vector<T>> other_layers(const h5_plane_source& source, const h5_slab& slab)
{
    std::vector<bulk_vector<T>> others;
    if (!source.layers) return others;
    try {
        others.resize(slab.interleave);
        for (std::uint64_t k = 0; k < slab.interleave; ++k) {
            if (k != slab.start[2]) others[k].resize(std::size_t(slab.samples));
        }
    } catch (const std::bad_alloc&) {
        others.clear();
    }
    return others;
}

// The box of the slab's two trailing extents that the plane lies in, when
// each of its steps walks one of them (rows as stored, flipped or
// transposed) and the extents before are one layer: a part of a parameter
// then reads only the stored rows and columns it takes.
h5_slab boxed(h5_slab slab, int rank)
{
    const auto r = std::size_t(rank);
    for (std::size_t i = 0; i + 2 < r; ++i) {
        if (slab.count[i] != 1) return slab;
    }
    h5_plane& p = slab.plane;
    const std::int64_t w = s(slab.count[r - 1]);
    if (p.rows == 0 || p.cols == 0 || w == 0) return slab;
    const bool asStored = (p.rowStep == w || p.rowStep == -w) && (p.colStep == 1 || p.colStep == -1);
    const bool transposed = (p.rowStep == 1 || p.rowStep == -1) && (p.colStep == w || p.colStep == -w);
    if (!asStored && !transposed) return slab;
    // The walk along a stored row must not run over its end into the next.
    const std::int64_t y0 = p.base / w;
    const std::int64_t x0 = p.base % w;
    const std::int64_t along = asStored ? s(p.cols - 1) * p.colStep : s(p.rows - 1) * p.rowStep;
    const std::int64_t across = asStored ? s(p.rows - 1) * p.rowStep / w : s(p.cols - 1) * p.colStep / w;
    const std::int64_t x1 = x0 + along;
    const std::int64_t y1 = y0 + across;
    if (x1 < 0 || x1 >= w || y1 < 0 || y1 >= s(slab.count[r - 2])) return slab;

    const std::int64_t top = std::min(y0, y1);
    const std::int64_t left = std::min(x0, x1);
    const std::int64_t height = std::max(y0, y1) - top + 1;
    const std::int64_t width = std::max(x0, x1) - left + 1;
    slab.start[r - 2] += hsize_t(top);
    slab.start[r - 1] += hsize_t(left);
    slab.count[r - 2] = hsize_t(height);
    slab.count[r - 1] = hsize_t(width);
    slab.samples = std::uint64_t(height * width);
    p.base = (y0 - top) * width + (x0 - left);
    if (p.rowStep == w || p.rowStep == -w) p.rowStep = p.rowStep / w * width;
    if (p.colStep == w || p.colStep == -w) p.colStep = p.colStep / w * width;
    return slab;
}

} // namespace

h5_slab slab_for(const h5_plane& plane, int rank, const std::array<std::uint64_t, 4>& d)
{
    h5_slab slab = whole(plane, rank, d);
    if (rank < 2 || rank > 4 || !plane.fits(slab.samples)) return slab;
    if (rank == 2) return boxed(slab, rank);

    const auto r = std::size_t(rank);
    const std::int64_t lastRow = s(plane.rows - 1) * plane.rowStep;
    const std::int64_t lastCol = s(plane.cols - 1) * plane.colStep;
    std::int64_t lo = plane.base;
    std::int64_t hi = plane.base;
    for (const std::int64_t corner : {plane.base + lastRow, plane.base + lastCol, plane.base + lastRow + lastCol}) {
        lo = std::min(lo, corner);
        hi = std::max(hi, corner);
    }

    const std::uint64_t layerSize = d[r - 2] * d[r - 1];
    std::uint64_t layer = std::uint64_t(lo) / layerSize;
    if (layer == std::uint64_t(hi) / layerSize) {
        h5_slab one;
        one.plane = plane;
        one.plane.base -= s(layer * layerSize);
        one.samples = layerSize;
        one.count[r - 2] = d[r - 2];
        one.count[r - 1] = d[r - 1];
        for (std::size_t i = r - 2; i-- > 0;) {
            one.start[i] = layer % d[i];
            one.count[i] = 1;
            layer /= d[i];
        }
        return boxed(one, rank);
    }

    // Sample k of every cell of whole rows of a rows x columns x layers
    // array, from row `first`.
    const std::int64_t rowSize = s(d[1] * d[2]);
    if (rank == 3 && plane.rowStep == rowSize && plane.colStep == s(d[2]) && plane.base % rowSize < s(d[2])
        && plane.cols == d[1]) {
        const std::uint64_t first = std::uint64_t(plane.base / rowSize);
        h5_slab step;
        step.start = {first, 0, hsize_t(plane.base % rowSize), 0};
        step.count = {plane.rows, d[1], 1, 0};
        step.plane = {0, s(d[1]), 1, plane.rows, d[1]};
        step.samples = plane.rows * d[1];
        step.interleave = d[2];
        return step;
    }
    return slab;
}

bool h5_read_hyperslab(const h5_plane_source& source, const hsize_t* start, const hsize_t* count, void* out)
{
    const h5_space fileSpace(H5Dget_space(source.dataset));
    // The memory takes the selection's own shape: with any other, HDF5 maps
    // the samples of a chunked dataset to their chunks one at a time.
    const h5_space memSpace(H5Screate_simple(source.rank, count, nullptr));
    return fileSpace && memSpace
           && H5Sselect_hyperslab(fileSpace.get(), H5S_SELECT_SET, start, nullptr, count, nullptr) >= 0
           && H5Dread(source.dataset, source.memType, memSpace.get(), fileSpace.get(), H5P_DEFAULT, out) >= 0;
}

std::optional<std::uint64_t> h5_plane_readable(const h5_plane_source& source, const h5_plane& plane,
                                               std::size_t sampleBytes)
{
    if (H5Tget_size(source.memType) != sampleBytes) return std::nullopt;
    const auto extents = h5_dataset_extents(source.dataset);
    if (!extents || extents->rank != source.rank) return std::nullopt;
    const auto n = extents->elements();
    if (!n || !h5_raw_size_plausible(source.file, source.dataset, *n, sampleBytes) || !plane.fits(*n)) {
        return std::nullopt;
    }
    return n;
}

template <class T>
bool h5_read_plane(const h5_plane_source& source, h5_plane& plane, bulk_vector<T>& out)
{
    release(out);
    const auto n = h5_plane_readable(source, plane, sizeof(T));
    if (!n) return false;

    const h5_slab slab = slab_for(plane, source.rank, source.d);
    if (slab.interleave > 1 && source.layers && source.layers->take(slab, slab.start[2], out)) {
        plane = slab.plane;
        return true;
    }
    try {
        // Every sample is overwritten by the read: no clearing first.
        out.resize(std::size_t(slab.samples));
    } catch (const std::bad_alloc&) {
        return false;
    }
    bool read = false;
    if (slab.interleave > 1) {
        std::vector<bulk_vector<T>> others = other_layers<T>(source, slab);
        read = read_interleaved(source, slab, out.data(), others);
        if (read && !others.empty()) source.layers->keep(slab, std::move(others));
    } else {
        read = read_slab(source, slab, slab.samples == *n, out.data());
    }
    if (!read) {
        release(out);
        return false;
    }
    plane = slab.plane;
    return true;
}

template bool h5_read_plane<float>(const h5_plane_source&, h5_plane&, bulk_vector<float>&);
template bool h5_read_plane<std::uint16_t>(const h5_plane_source&, h5_plane&, bulk_vector<std::uint16_t>&);
template bool h5_read_plane<std::uint8_t>(const h5_plane_source&, h5_plane&, bulk_vector<std::uint8_t>&);

} // namespace vardane
