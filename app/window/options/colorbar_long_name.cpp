#include "app/window/options/colorbar_long_name.h"

#include <array>
#include <string_view>

namespace vardane {

namespace {

struct full_name {
    std::string_view key;
    std::string_view name;
};

constexpr std::array<full_name, 10> kFullNames{{
    {"TPW", "TPW(Total Precipitable Water)"},
    {"CLW", "CLW(Cloud Liquid Water)"},
    {"PRC", "PRC(Precipitation)"},
    {"SSW", "SSW(Sea Surface Wind speed)"},
    {"SST", "SST(Sea Surface Temperature)"},
    {"SST10GHz", "SST10GHz(Sea Surface Temperature 10GHz)"},
    {"SND", "SND(Snow Depth)"},
    {"SWE", "SWE(Snow Water Equivalent)"},
    {"SMC", "SMC(Soil Moisture Content)"},
    {"SIC", "SIC(Sea Ice Concentration)"},
}};

// A key containing `marker` has its first `replaced` characters replaced by
// `expansion`; the first rule that applies wins.
struct expansion {
    std::string_view marker;
    std::size_t replaced;
    std::string_view expansion;
};

constexpr std::array<expansion, 3> kExpansions{{
    {"PRC", 3, "Precipitation"},
    {"OC BT", 5, "Observation Count/Brighness Temperature"},
    {"BT", 2, "Brighness Temperature"},
}};

} // namespace

std::string GetLongName(const std::string& key)
{
    for (const full_name& f : kFullNames) {
        if (key == f.key) return std::string(f.name);
    }
    for (const expansion& e : kExpansions) {
        if (key.find(e.marker) != std::string::npos) {
            return std::string(e.expansion) + key.substr(std::min(e.replaced, key.size()));
        }
    }
    return key;
}

} // namespace vardane
