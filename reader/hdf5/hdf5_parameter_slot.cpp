#include "reader/hdf5/hdf5_parameter_slot.h"

#include "reader/hdf5/hdf5_dataset_tables.h"
#include "reader/hdf5/hdf5_kind_traits.h"

namespace vardane {

std::optional<h5_parameter_slot> hdf5_parameter_slot(const product_description& d, std::uint32_t idx)
{
    const hdf5_kind_traits* traits = hdf5_traits_of(d.kind);
    const std::vector<hdfParam_t>* table = hdf5_table_of(d.kind);
    if (!traits || !table || table->empty() || idx >= d.nCount) return std::nullopt;
    switch (traits->parameters) {
    case h5_parameter_rule::entries:
        if (idx >= table->size()) return std::nullopt;
        return h5_parameter_slot{idx, idx};
    case h5_parameter_rule::layers: return h5_parameter_slot{0, idx};
    case h5_parameter_rule::layers_then_entries: {
        // nCount = layers + the entries after the first.
        const std::size_t tail = table->size() - 1;
        if (d.nCount < tail) return std::nullopt;
        const std::uint32_t layers = d.nCount - static_cast<std::uint32_t>(tail);
        if (idx < layers) return h5_parameter_slot{0, idx};
        return h5_parameter_slot{idx - layers + 1, 0};
    }
    }
    return std::nullopt;
}

} // namespace vardane
