#pragma once

#include "reader/product_reader.h"

namespace vardane {

// The JASMES flag images stored as HDF4 scientific datasets.
class jasmes_hdf4_reader final : public product_reader {
public:
    bool identify(const std::string& path, std::uintmax_t size) const override;
    failure open(const std::string& path, std::uintmax_t size, product_description& d) override;
    read_result read(const product_description& d, std::uint32_t idx, read_buffers& out) override;
    read_result read_rows(const product_description& d, std::uint32_t idx, row_span rows, read_buffers& out) override;
    bool reads_row_parts() const override { return true; }
};

} // namespace vardane
