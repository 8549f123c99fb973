#include "netcdf/h5_object_names.h"

namespace vardane {

namespace {

herr_t collect_attribute(hid_t, const char* name, const H5A_info_t*, void* data)
{
    static_cast<std::vector<std::string>*>(data)->emplace_back(name);
    return 0;
}

} // namespace

std::optional<std::vector<std::string>> h5_link_names(hid_t group)
{
    H5G_info_t info{};
    if (H5Gget_info(group, &info) < 0) return std::nullopt;
    std::vector<std::string> names;
    for (hsize_t i = 0; i < info.nlinks; ++i) {
        const ssize_t length = H5Lget_name_by_idx(group, ".", H5_INDEX_NAME, H5_ITER_INC, i, nullptr, 0, H5P_DEFAULT);
        if (length < 0) return std::nullopt;
        std::string name(static_cast<std::size_t>(length) + 1, '\0');
        if (H5Lget_name_by_idx(group, ".", H5_INDEX_NAME, H5_ITER_INC, i, name.data(), name.size(), H5P_DEFAULT) < 0) {
            return std::nullopt;
        }
        name.resize(static_cast<std::size_t>(length));
        names.push_back(std::move(name));
    }
    return names;
}

std::optional<std::vector<std::string>> h5_attribute_names(hid_t object)
{
    std::vector<std::string> names;
    hsize_t index = 0;
    if (H5Aiterate2(object, H5_INDEX_NAME, H5_ITER_INC, &index, collect_attribute, &names) < 0) return std::nullopt;
    return names;
}

} // namespace vardane
