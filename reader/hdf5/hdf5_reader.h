#pragma once

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
};

} // namespace vardane
