#include "reader/hdf5/hdf5_global_attributes.h"

#include <ostream>
#include <string_view>

#include "reader/hdf5/h5_attribute_values.h"
#include "reader/hdf5/h5_handles.h"
#include "util/trace_stream.h"

namespace vardane {

namespace {

constexpr const char* kGlobalKeys[] = {
    "ProductName",
    "GranuleID",
    "FileHeader",
    "GeophysicalName",
    "CoRegistrationParameterA1",
    "CoRegistrationParameterA2",
    "Product_name",
};

struct geophysical_entry {
    std::string_view name;
    const char* code;
};

constexpr geophysical_entry kGeophysicalCodes[] = {
    {"Cloud Liquid Water", "CLW"},
    {"Precipitation", "PRC"},
    {"Sea Ice Concentration", "SIC"},
    {"Soil Moisture Content", "SMC"},
    {"Snow Depth", "SND"},
    {"Sea Surface Temperature", "SST"},
    {"Sea Surface Wind speed", "SSW"},
    {"Total Precipitable Water", "TPW"},
};

} // namespace

void read_global_attributes(hid_t file, std::map<std::string, std::string>& attributes,
                            std::vector<std::string>& unreadable)
{
    attributes.clear();
    unreadable.clear();
    for (const char* key : kGlobalKeys) attributes[key] = "";

    const h5_object root(H5Oopen(file, "/", H5P_DEFAULT));
    if (!root) return;
    for (auto& [key, value] : attributes) {
        if (H5Aexists(root.get(), key.c_str()) <= 0) continue;
        trace_stream() << "property='" << key << "'" << std::endl;
        const auto text = h5_string_attribute(root.get(), key.c_str());
        if (!text) unreadable.push_back(key);
        value = text.value_or("");
    }
}

std::string geophysical_code(const std::string& geophysicalName)
{
    for (const auto& e : kGeophysicalCodes) {
        if (e.name == geophysicalName) return e.code;
    }
    return "";
}

} // namespace vardane
