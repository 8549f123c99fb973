#pragma once

#include <string>

#include "reader/product_reader.h"

namespace vardane {

// The GSMaP grids stored as bare little-endian floats, plain or gzip-
// compressed (*.gz), known by a file name starting with "gsmap_": hourly and
// daily files of one grid, monthly files of two (precipitation, then a
// count).
class gsmap_bin_reader final : public product_reader {
public:
    bool identify(const std::string& path, std::uintmax_t size) const override;
    failure open(const std::string& path, std::uintmax_t size, product_description& d) override;
    read_result read(const product_description& d, std::uint32_t idx, read_buffers& out) override;
    read_result read_rows(const product_description& d, std::uint32_t idx, row_span rows, read_buffers& out) override;
    bool reads_row_parts() const override { return true; }
};

// True when the file-name part of path starts with "gsmap_".
bool is_gsmap(const std::string& path);

// Product label of a daily GSMaP flat binary. A daily file shares the hourly
// kind, its option set and its values; only its label and announcement say
// daily.
inline constexpr const char* kGsmapDailyLabel = "GPM_GSMaP_Daily_L3";

} // namespace vardane
