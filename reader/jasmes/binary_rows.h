#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "reader/flat_source.h"

namespace vardane {

// Row-by-row reading of flat binary planes, from a plain or a gzip file
// (flat_source). Every read checks that the bytes arrived: a file that
// shrank after recognition, or compressed data that turn out damaged, give a
// failed read, never stale or uninitialised samples.
class binary_rows {
public:
    explicit binary_rows(const std::string& path) : src_(path) {}

    bool is_open() const { return src_.is_open(); }

    // Current length of a plain file; nothing for a compressed one, which
    // is checked by its reads instead.
    std::optional<std::uint64_t> stored_length() { return src_.stored_length(); }

    // Reads row `row` (width samples of sampleBytes each) of the plane that
    // starts at byte planeStart.
    bool read_row(std::uintmax_t planeStart, std::uint64_t row, std::uint64_t width, std::uint32_t sampleBytes,
                  std::vector<unsigned char>& out)
    {
        return read_rows(planeStart, row, 1, width, sampleBytes, out);
    }
    // Reads `count` rows from row `row` likewise, one after the other.
    bool read_rows(std::uintmax_t planeStart, std::uint64_t row, std::uint64_t count, std::uint64_t width,
                   std::uint32_t sampleBytes, std::vector<unsigned char>& out);

    // Why the last read came short.
    const std::string& cause() const { return src_.cause(); }

private:
    flat_source src_;
};

// Little-endian sample decoding, whatever the host order.
inline std::uint16_t le_u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

inline float le_f32(const unsigned char* p)
{
    const std::uint32_t u =
        std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
    return std::bit_cast<float>(u);
}

} // namespace vardane
