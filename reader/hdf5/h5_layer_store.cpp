#include "reader/hdf5/h5_layer_store.h"

#include <utility>

namespace vardane {

void h5_layer_store::use_for(const std::string& file, const std::string& dataset)
{
    if (file == file_ && dataset == dataset_) return;
    clear();
    file_ = file;
    dataset_ = dataset;
}

h5_layer_store::rows_read h5_layer_store::rows_of(const h5_slab& slab)
{
    return {slab.start[0], slab.count[0], slab.count[1], slab.interleave};
}

template <class T>
bool h5_layer_store::take(const h5_slab& slab, std::uint64_t layer, bulk_vector<T>& out)
{
    auto* kept = std::get_if<std::vector<bulk_vector<T>>>(&layers_);
    if (!kept || rows_ != rows_of(slab) || layer >= kept->size() || (*kept)[layer].empty()) return false;
    out = std::move((*kept)[layer]);
    (*kept)[layer] = bulk_vector<T>();
    return true;
}

template <class T>
void h5_layer_store::keep(const h5_slab& slab, std::vector<bulk_vector<T>> layers)
{
    rows_ = rows_of(slab);
    layers_ = std::move(layers);
}

void h5_layer_store::clear()
{
    file_.clear();
    dataset_.clear();
    rows_ = {};
    layers_ = std::monostate{};
}

template bool h5_layer_store::take<float>(const h5_slab&, std::uint64_t, bulk_vector<float>&);
template bool h5_layer_store::take<std::uint16_t>(const h5_slab&, std::uint64_t, bulk_vector<std::uint16_t>&);
template bool h5_layer_store::take<std::uint8_t>(const h5_slab&, std::uint64_t, bulk_vector<std::uint8_t>&);
template void h5_layer_store::keep<float>(const h5_slab&, std::vector<bulk_vector<float>>);
template void h5_layer_store::keep<std::uint16_t>(const h5_slab&, std::vector<bulk_vector<std::uint16_t>>);
template void h5_layer_store::keep<std::uint8_t>(const h5_slab&, std::vector<bulk_vector<std::uint8_t>>);

} // namespace vardane
