#include <vector>

#include "reader/hdf5/hdf5_dataset_tables.h"
#include "reader/hdf5/hdf5_kind_traits.h"
#include "reader/hdf5/hdf5_parameter_slot.h"
#include "reader/spinfo.h"

namespace vardane {

void spinfo::get_productInfo(std::uint32_t idx, productInfo_t& info) const
{
    const product_description& d = desc_;
    if (idx >= d.nCount) return;
    info.product = d.productLabel;

    info.area = d.granule;
    if (d.jasmesArea == JA_GOBI) {
        static const char* const gobi[] = {"Gobi (rcr)", "Gobi (taua)", "Gobi (aot)"};
        info.area = idx < 3 ? gobi[idx] : "Gobi area";
    }

    info.para = d.productLabel;
    const hdf5_kind_traits* traits = hdf5_traits_of(d.kind);
    const h5_info_rule rule = traits ? traits->info : h5_info_rule::label;
    const std::vector<hdfParam_t>* table = hdf5_table_of(d.kind);
    const std::size_t entries = table ? table->size() : 0;
    const auto name = [&](std::size_t i) {
        if (i < entries) info.para = (*table)[i].name;
    };
    switch (rule) {
    case h5_info_rule::label: break;
    case h5_info_rule::table_names:
        if (entries >= traits->unnamedTail && idx < entries - traits->unnamedTail) name(idx);
        break;
    case h5_info_rule::first_entry: name(0); break;
    case h5_info_rule::ab_pairs: name(idx % 2); break;
    }

    const bool useB = rule == h5_info_rule::ab_pairs && idx % 2 == 1;
    for (int i = 0; i < 4; ++i) info.corner[i] = useB ? d.cornersB[i] : d.corners[i];

    // Layers of one dataset share the scale factor of that dataset.
    const auto slot = hdf5_parameter_slot(d, idx);
    const std::size_t s = slot ? slot->entry : idx;
    info.scale = s < d.scales.size() ? d.scales[s] : 1.0;
}

std::string spinfo::unit_text(std::uint32_t idx) const
{
    const auto slot = hdf5_parameter_slot(desc_, idx);
    return slot && slot->entry < desc_.units.size() ? desc_.units[slot->entry] : std::string();
}

std::string spinfo::dataset_name(std::uint32_t idx) const
{
    const std::vector<hdfParam_t>* table = hdf5_table_of(desc_.kind);
    const auto slot = hdf5_parameter_slot(desc_, idx);
    return table && slot && slot->entry < table->size() ? (*table)[slot->entry].name : std::string();
}

} // namespace vardane
