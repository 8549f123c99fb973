#pragma once

#include <cstdint>
#include <optional>

namespace vardane {

// How a headed JASMES flat-binary file is laid out, told apart by its size.
struct jasmes_layout {
    std::int32_t bytesPerSample; // 1, 2, 3, 4, or -1 for the 23-band aerosol file
    std::uint32_t nCount;        // parameters offered
    std::uint32_t headerRows;    // header row length in units of the width
    std::uint32_t planes;        // planes stored after the header row
    std::uint32_t sampleBytes;   // bytes per stored sample of a plane
};

// The layout whose size formula gives exactly size for a first band of
// width x height; nullopt when none does. bands is the header's band count
// (only a 23-band multi-band header may be the aerosol file).
std::optional<jasmes_layout> classify_jasmes_size(std::uintmax_t size, std::int64_t width, std::int64_t height,
                                                  std::int32_t bands, bool multiBandHeader);

// Bytes a file of this layout holds: header row plus every plane.
std::uintmax_t jasmes_layout_bytes(const jasmes_layout& layout, std::int64_t width, std::int64_t height);

// Bytes of the largest layout a header of width x height may have: how far
// a compressed file is worth inflating to count its size.
std::uintmax_t largest_jasmes_layout_bytes(std::int64_t width, std::int64_t height);

// Headerless files: one plane of a known grid, 1- or 2-byte samples.
inline constexpr std::uint32_t kHeaderlessSampleBytes[] = {1, 2};

} // namespace vardane
