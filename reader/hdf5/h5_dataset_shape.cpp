#include "reader/hdf5/h5_dataset_shape.h"

#include <algorithm>

#include "reader/hdf5/h5_handles.h"

namespace vardane {

namespace {

// Deflate cannot shrink data by much more than 1000:1; unwritten chunks
// (fill values) are allowed a small absolute slack.
constexpr std::uint64_t kMaxExpansion = 1100;
constexpr std::uint64_t kFillSlackBytes = std::uint64_t{1} << 20;

bool multiply(std::uint64_t a, std::uint64_t b, std::uint64_t& out) { return !__builtin_mul_overflow(a, b, &out); }

} // namespace

std::optional<std::uint64_t> h5_extents::elements() const
{
    std::uint64_t n = 1;
    for (int i = 0; i < rank; ++i) {
        if (d[static_cast<std::size_t>(i)] == 0 || !multiply(n, d[static_cast<std::size_t>(i)], n)) {
            return std::nullopt;
        }
    }
    return n;
}

std::optional<h5_extents> h5_dataset_extents(hid_t dataset)
{
    const h5_space space(H5Dget_space(dataset));
    if (!space) return std::nullopt;
    const H5S_class_t cls = H5Sget_simple_extent_type(space.get());
    if (cls != H5S_SIMPLE && cls != H5S_SCALAR) return std::nullopt;
    const int rank = H5Sget_simple_extent_ndims(space.get());
    if (rank < 0 || rank > h5_extents::kMaxRank) return std::nullopt;
    h5_extents e;
    e.rank = rank;
    if (rank > 0 && H5Sget_simple_extent_dims(space.get(), e.d.data(), nullptr) != rank) return std::nullopt;
    return e;
}

bool h5_raw_size_plausible(hid_t file, hid_t dataset, std::uint64_t elements, std::size_t sampleBytes)
{
    std::uint64_t raw = 0;
    if (!multiply(elements, sampleBytes, raw) || raw > kH5MaxRawBytes) return false;

    hsize_t fileSize = 0;
    if (H5Fget_filesize(file, &fileSize) < 0) return false;
    // The storage size is itself a claim of the file: never trust more bytes
    // than the file has.
    const std::uint64_t stored = std::min<std::uint64_t>(H5Dget_storage_size(dataset), fileSize);
    std::uint64_t limit = 0;
    if (!multiply(stored, kMaxExpansion, limit)) return true;
    return raw <= limit + kFillSlackBytes;
}

template <class T>
bool h5_read_whole(hid_t file, hid_t dataset, hid_t memType, std::vector<T>& out)
{
    out.clear();
    if (H5Tget_size(memType) != sizeof(T)) return false;
    const auto extents = h5_dataset_extents(dataset);
    if (!extents) return false;
    const auto n = extents->elements();
    if (!n || !h5_raw_size_plausible(file, dataset, *n, sizeof(T))) return false;
    out.resize(static_cast<std::size_t>(*n));
    if (H5Dread(dataset, memType, H5S_ALL, H5S_ALL, H5P_DEFAULT, out.data()) < 0) {
        out = {};
        return false;
    }
    return true;
}

template bool h5_read_whole<float>(hid_t, hid_t, hid_t, std::vector<float>&);
template bool h5_read_whole<std::int16_t>(hid_t, hid_t, hid_t, std::vector<std::int16_t>&);
template bool h5_read_whole<std::uint16_t>(hid_t, hid_t, hid_t, std::vector<std::uint16_t>&);
template bool h5_read_whole<std::uint8_t>(hid_t, hid_t, hid_t, std::vector<std::uint8_t>&);
template bool h5_read_whole<std::int8_t>(hid_t, hid_t, hid_t, std::vector<std::int8_t>&);
template bool h5_read_whole<std::int32_t>(hid_t, hid_t, hid_t, std::vector<std::int32_t>&);
template bool h5_read_whole<double>(hid_t, hid_t, hid_t, std::vector<double>&);

} // namespace vardane
