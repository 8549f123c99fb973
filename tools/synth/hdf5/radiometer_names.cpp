#include "radiometer_names.h"

#include <array>

#include "synth_known_values.h"

namespace vardane {

namespace synth_radiometer {

namespace {

constexpr sensor kAmsr2{"AMSR2", "AMSR2", "GW1AM2", 486};
constexpr sensor kAmsre{"AMSRE", "AMSR-E", "AQUAAE", 392};

struct frequency {
    std::string_view label;
    int channel;
    bool full_width;
    bool horn_b;
};

constexpr std::array<frequency, 8> kL1Frequencies{{
    {"6.9GHz", 0, false, false},
    {"7.3GHz", 1, false, false},
    {"10.7GHz", 2, false, false},
    {"18.7GHz", 3, false, false},
    {"23.8GHz", 4, false, false},
    {"36.5GHz", 5, false, false},
    {"89.0GHz-A", 6, true, false},
    {"89.0GHz-B", 6, true, true},
}};

struct resolution_group {
    std::string_view tag;
    std::array<frequency, 7> frequencies;
    int count;
};

// clang-format off
constexpr std::array<resolution_group, 5> kL1RGroups{{
    {"res06",
     {{{"6.9GHz", 0, false, false}, {"7.3GHz", 1, false, false}, {"10.7GHz", 2, false, false},
       {"18.7GHz", 3, false, false}, {"23.8GHz", 4, false, false}, {"36.5GHz", 5, false, false},
       {"89.0GHz", 6, false, false}}},
     7},
    {"res10",
     {{{"10.7GHz", 2, false, false}, {"18.7GHz", 3, false, false}, {"23.8GHz", 4, false, false},
       {"36.5GHz", 5, false, false}, {"89.0GHz", 6, false, false}}},
     5},
    {"res23",
     {{{"18.7GHz", 3, false, false}, {"23.8GHz", 4, false, false}, {"36.5GHz", 5, false, false},
       {"89.0GHz", 6, false, false}}},
     4},
    {"res36", {{{"36.5GHz", 5, false, false}, {"89.0GHz", 6, false, false}}}, 2},
    {"original", {{{"89GHz-A", 6, true, false}, {"89GHz-B", 6, true, true}}}, 2},
}};
// clang-format on

std::vector<band> build_l1_bands()
{
    std::vector<band> out;
    for (const auto& f : kL1Frequencies) {
        for (const bool v : {false, true}) {
            out.push_back({std::string(f.label) + (v ? ",V" : ",H"), f.channel, v, f.full_width, f.horn_b});
        }
    }
    return out;
}

std::vector<band> build_l1r_bands()
{
    std::vector<band> out;
    for (const auto& g : kL1RGroups) {
        for (int i = 0; i < g.count; ++i) {
            const auto& f = g.frequencies[static_cast<std::size_t>(i)];
            for (const bool v : {false, true}) {
                out.push_back({std::string(g.tag) + "," + std::string(f.label) + (v ? ",V" : ",H"), f.channel, v,
                               f.full_width, f.horn_b});
            }
        }
    }
    return out;
}

constexpr std::array<geophysical, 8> kGeophysicals{{
    {"CLW", "Cloud Liquid Water", 0.001f, 0.0, 1.0, surface::ocean, 1},
    {"PRC", "Precipitation", 0.1f, 0.0, 50.0, surface::any, 1},
    {"SIC", "Sea Ice Concentration", 0.1f, 0.0, 100.0, surface::ocean, 1},
    {"SMC", "Soil Moisture Content", 0.1f, 0.0, 60.0, surface::land, 1},
    {"SND", "Snow Depth", 0.1f, 0.0, 150.0, surface::land, 2},
    {"SST", "Sea Surface Temperature", 0.01f, -2.0, 32.0, surface::ocean, 2},
    {"SSW", "Sea Surface Wind speed", 0.01f, 0.0, 25.0, surface::ocean, 1},
    {"TPW", "Total Precipitable Water", 0.01f, 0.0, 70.0, surface::ocean, 1},
}};

} // namespace

const sensor& amsr2() { return kAmsr2; }
const sensor& amsre() { return kAmsre; }

std::span<const band> l1_bands()
{
    static const std::vector<band> bands = build_l1_bands();
    return bands;
}

std::span<const band> l1r_bands()
{
    static const std::vector<band> bands = build_l1r_bands();
    return bands;
}

std::span<const geophysical> geophysicals() { return kGeophysicals; }

const geophysical* find_geophysical(std::string_view code_or_name)
{
    for (const auto& g : kGeophysicals) {
        if (g.code == code_or_name || g.name == code_or_name) return &g;
    }
    return nullptr;
}

} // namespace synth_radiometer

float synth_known::geophysical_scale(const std::string& code)
{
    const auto* g = synth_radiometer::find_geophysical(code);
    return g ? g->scale : 0.0f;
}

} // namespace vardane
