#pragma once

#include <optional>

#include "reader/jasmes_state.h"
#include "reader/product_reader.h"

namespace vardane {

// The JASMES flat-binary products: one text header row followed by the image
// planes, or the bare image of a known grid. They carry no mark, so this
// family identifies every file and comes last.
class jasmes_bin_reader final : public product_reader {
public:
    bool identify(const std::string& path, std::uintmax_t size) const override;
    failure open(const std::string& path, std::uintmax_t size, product_description& d) override;
    read_result read(const product_description& d, std::uint32_t idx, read_buffers& out) override;
    read_result read_rows(const product_description& d, std::uint32_t idx, row_span rows, read_buffers& out) override;
    bool reads_row_parts() const override { return true; }

private:
    read_result read_part(const product_description& d, std::uint32_t idx, std::optional<row_span> rows,
                          read_buffers& out);

    jasmes_state state_; // the header and plane layout of the file opened last
};

} // namespace vardane
