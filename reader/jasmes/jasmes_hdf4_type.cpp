#include "reader/jasmes/jasmes_hdf4_type.h"

#include <string_view>

namespace vardane {

namespace {

struct family_code {
    std::string_view prefix;
    std::string_view code;
};

constexpr family_code kFamilyCodes[] = {
    {"M5C", "ghrm5c"},
    {"MYD", "mds10c"},
    {"MDS", "mds10c"},
};

constexpr std::string_view kOtherFamily = "mds10c";

} // namespace

std::string jasmes_hdf4_type(const std::string& granule)
{
    if (granule.size() < 3) return {};
    const std::string_view prefix(granule.data(), 3);
    for (const auto& f : kFamilyCodes) {
        if (f.prefix == prefix) return std::string(f.code);
    }
    return std::string(kOtherFamily);
}

} // namespace vardane
