#pragma once

#include <string>

#include "reader/product_reader.h"

namespace vardane {

// The GSMaP hourly grids stored as bare little-endian floats, known by a
// file name starting with "gsmap_".
class gsmap_bin_reader final : public product_reader {
public:
    bool identify(const std::string& path, std::uintmax_t size) const override;
    failure open(const std::string& path, std::uintmax_t size, product_description& d) override;
    read_result read(const product_description& d, std::uint32_t idx, read_buffers& out) override;
};

// True when the file-name part of path starts with "gsmap_".
bool is_gsmap(const std::string& path);

} // namespace vardane
