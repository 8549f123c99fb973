#include "reader/hdf5/h5_band_read.h"

#include <algorithm>
#include <new>

namespace vardane {

namespace {

// Bytes of stored rows read at a time.
constexpr std::uint64_t kBandBytes = std::uint64_t(1) << 20;
// Bands are whole multiples of the transpose's cache tile.
constexpr std::uint64_t kTileRows = 64;

std::int64_t s(std::uint64_t v) { return static_cast<std::int64_t>(v); }

} // namespace

std::optional<h5_bands> h5_band_layout(const h5_plane& plane, int rank, const std::array<std::uint64_t, 4>& d,
                                       std::size_t sampleBytes)
{
    h5_bands bands;
    bands.slab = slab_for(plane, rank, d);
    // The slab must be two-dimensional: its stored rows and their samples.
    int dims[2] = {-1, -1};
    int found = 0;
    for (int i = 0; i < rank; ++i) {
        if (bands.slab.count[std::size_t(i)] <= 1) continue;
        if (found == 2) return std::nullopt;
        dims[found++] = i;
    }
    if (found != 2 || sampleBytes == 0) return std::nullopt;
    bands.rowDim = dims[0];
    bands.storedRows = bands.slab.count[std::size_t(dims[0])];
    bands.rowLength = bands.slab.count[std::size_t(dims[1])];

    // Each delivered column is one whole stored row, walked either way.
    const h5_plane& p = bands.slab.plane;
    const std::int64_t w = s(bands.rowLength);
    if ((p.rowStep != 1 && p.rowStep != -1) || (p.colStep != w && p.colStep != -w) || p.rows != bands.rowLength
        || p.cols != bands.storedRows) {
        return std::nullopt;
    }
    const std::uint64_t rows = kBandBytes / (bands.rowLength * sampleBytes) / kTileRows * kTileRows;
    bands.rowsPerBand = std::max(kTileRows, rows);
    // A slab of one band is read whole: the same buffer, one read fewer.
    if (bands.rowsPerBand >= bands.storedRows) return std::nullopt;
    return bands;
}

template <class T>
bool h5_read_bands(const h5_plane_source& source, const h5_plane& plane, const h5_bands& bands,
                   const std::function<void(const T*, const h5_plane&, std::uint64_t)>& take)
{
    if (!h5_plane_readable(source, plane, sizeof(T))) return false;
    const h5_plane& p = bands.slab.plane;
    const std::int64_t w = s(bands.rowLength);
    // The stored row of delivered column 0; column c lies in row first + c
    // or first - c.
    const std::int64_t first = p.base / w;
    const bool forwards = p.colStep > 0;

    bulk_vector<T> buffer;
    try {
        buffer.resize(std::size_t(bands.rowsPerBand * bands.rowLength));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::uint64_t row = 0; row < bands.storedRows; row += bands.rowsPerBand) {
        const std::uint64_t n = std::min(bands.rowsPerBand, bands.storedRows - row);
        std::array<hsize_t, 4> start = bands.slab.start;
        std::array<hsize_t, 4> count = bands.slab.count;
        start[std::size_t(bands.rowDim)] += row;
        count[std::size_t(bands.rowDim)] = n;
        if (!h5_read_hyperslab(source, start.data(), count.data(), buffer.data())) return false;
        // Delivered columns [lo, hi) are the stored rows of this band.
        const std::int64_t lo = forwards ? s(row) - first : first - s(row + n - 1);
        const std::int64_t hi = lo + s(n);
        if (lo < 0 || std::uint64_t(hi) > p.cols) return false;
        const h5_plane part{p.base + lo * p.colStep - s(row) * w, p.rowStep, p.colStep, p.rows, std::uint64_t(hi - lo)};
        if (!part.fits(n * bands.rowLength)) return false;
        take(buffer.data(), part, std::uint64_t(lo));
    }
    return true;
}

template bool h5_read_bands<float>(const h5_plane_source&, const h5_plane&, const h5_bands&,
                                   const std::function<void(const float*, const h5_plane&, std::uint64_t)>&);
template bool h5_read_bands<std::uint16_t>(
    const h5_plane_source&, const h5_plane&, const h5_bands&,
    const std::function<void(const std::uint16_t*, const h5_plane&, std::uint64_t)>&);
template bool h5_read_bands<std::uint8_t>(
    const h5_plane_source&, const h5_plane&, const h5_bands&,
    const std::function<void(const std::uint8_t*, const h5_plane&, std::uint64_t)>&);

} // namespace vardane
