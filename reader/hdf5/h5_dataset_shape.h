#pragma once

#include <hdf5.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vardane {

// Extents of a dataset as the file claims them. Slots beyond the rank are 0.
struct h5_extents {
    static constexpr int kMaxRank = 16;
    int rank = 0;
    std::array<hsize_t, kMaxRank> d{};

    // Product of the extents, or nothing when it overflows 64 bits or an
    // extent is 0.
    std::optional<std::uint64_t> elements() const;
};

// The extents of a simple data space of rank 0 to 16; nothing otherwise.
std::optional<h5_extents> h5_dataset_extents(hid_t dataset);

// Largest raw array the reader ever holds: ten times the largest real product.
inline constexpr std::uint64_t kH5MaxRawBytes = std::uint64_t{1} << 30;

// True when a dataset claiming `elements` samples of `sampleBytes` bytes can
// really hold them: the raw size stays below kH5MaxRawBytes and within what
// the bytes it occupies in the file can expand to (compression included).
// A small file that claims a huge array is refused before anything is
// allocated.
bool h5_raw_size_plausible(hid_t file, hid_t dataset, std::uint64_t elements, std::size_t sampleBytes);

// Reads the whole dataset, converted to memType (whose size must be
// sizeof(T)), after the plausibility check. False, with `out` empty, on any
// failure.
template <class T>
bool h5_read_whole(hid_t file, hid_t dataset, hid_t memType, std::vector<T>& out);

extern template bool h5_read_whole<float>(hid_t, hid_t, hid_t, std::vector<float>&);
extern template bool h5_read_whole<std::int16_t>(hid_t, hid_t, hid_t, std::vector<std::int16_t>&);
extern template bool h5_read_whole<std::uint16_t>(hid_t, hid_t, hid_t, std::vector<std::uint16_t>&);
extern template bool h5_read_whole<std::uint8_t>(hid_t, hid_t, hid_t, std::vector<std::uint8_t>&);
extern template bool h5_read_whole<std::int8_t>(hid_t, hid_t, hid_t, std::vector<std::int8_t>&);
extern template bool h5_read_whole<std::int32_t>(hid_t, hid_t, hid_t, std::vector<std::int32_t>&);
extern template bool h5_read_whole<double>(hid_t, hid_t, hid_t, std::vector<double>&);

} // namespace vardane
