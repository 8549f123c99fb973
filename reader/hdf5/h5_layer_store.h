#pragma once
// The other layers of an interleaved dataset, kept from the read of one.
//
// In a rows x columns x layers dataset each cell's layers lie side by side,
// so one layer cannot be read without reading, and for a compressed dataset
// decompressing, the whole dataset. A product whose layers are parameters of
// their own (the radiometer L2 and L3 geophysical grids) had the dataset read
// once for every layer converted; the read of one layer now picks every layer
// out of the same bands and keeps the others for the reads that follow.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "reader/hdf5/h5_plane_read.h"
#include "util/bulk_vector.h"

namespace vardane {

class h5_layer_store {
public:
    // The dataset the next reads come from: its file and name. Layers kept
    // from another dataset are given back.
    void use_for(const std::string& file, const std::string& dataset);

    // Moves layer `layer` of the interleaved slab's rows into `out` when it
    // was kept from a read of exactly those rows; the store then no longer
    // holds it.
    template <class T>
    bool take(const h5_slab& slab, std::uint64_t layer, bulk_vector<T>& out);

    // Keeps the layers picked out of a read of the slab's rows, one buffer a
    // layer (empty for those not kept), in place of anything kept before.
    template <class T>
    void keep(const h5_slab& slab, std::vector<bulk_vector<T>> layers);

    // Gives back everything kept.
    void clear();

private:
    struct rows_read {
        std::uint64_t first = 0;
        std::uint64_t count = 0;
        std::uint64_t columns = 0;
        std::uint64_t layers = 0;
        bool operator==(const rows_read&) const = default;
    };
    static rows_read rows_of(const h5_slab& slab);

    std::string file_;
    std::string dataset_;
    rows_read rows_;
    std::variant<std::monostate, std::vector<bulk_vector<float>>, std::vector<bulk_vector<std::uint16_t>>,
                 std::vector<bulk_vector<std::uint8_t>>>
        layers_;
};

extern template bool h5_layer_store::take<float>(const h5_slab&, std::uint64_t, bulk_vector<float>&);
extern template bool h5_layer_store::take<std::uint16_t>(const h5_slab&, std::uint64_t, bulk_vector<std::uint16_t>&);
extern template bool h5_layer_store::take<std::uint8_t>(const h5_slab&, std::uint64_t, bulk_vector<std::uint8_t>&);
extern template void h5_layer_store::keep<float>(const h5_slab&, std::vector<bulk_vector<float>>);
extern template void h5_layer_store::keep<std::uint16_t>(const h5_slab&, std::vector<bulk_vector<std::uint16_t>>);
extern template void h5_layer_store::keep<std::uint8_t>(const h5_slab&, std::vector<bulk_vector<std::uint8_t>>);

} // namespace vardane
