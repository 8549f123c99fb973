#pragma once

#include <optional>

#include "reader/hdf5/h5_layer_store.h"
#include "reader/product_reader.h"

namespace vardane {

// The HDF5 products: the radiometer swaths and grids, the GPM grids and the
// SGLI scenes and tiles. The per-kind dataset tables it works from are
// hdf5_dataset_tables.h.
class hdf5_reader final : public product_reader {
public:
    hdf5_reader();

    bool identify(const std::string& path, std::uintmax_t size) const override;
    failure open(const std::string& path, std::uintmax_t size, product_description& d) override;
    read_result read(const product_description& d, std::uint32_t idx, read_buffers& out) override;
    read_result read_rows(const product_description& d, std::uint32_t idx, row_span rows, read_buffers& out) override;
    bool reads_row_parts() const override { return true; }

private:
    read_result read_part(const product_description& d, std::uint32_t idx, std::optional<row_span> rows,
                          read_buffers& out);

    // Layers of the file opened last, read with another layer of their
    // dataset and not yet asked for.
    h5_layer_store layers_;
};

} // namespace vardane
