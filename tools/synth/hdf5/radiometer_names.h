#pragma once
// Dataset names and per-variable properties of the radiometer products, as data.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vardane {

namespace synth_radiometer {

// The two radiometers, which share product layouts.
struct sensor {
    std::string_view kind_prefix;    // "AMSR2" / "AMSRE" in kind names
    std::string_view product_prefix; // "AMSR2" / "AMSR-E" in "ProductName"
    std::string_view granule_prefix;
    int samples89; // 89 GHz samples per scan (low resolution: half)
};
const sensor& amsr2();
const sensor& amsre();

// One band of the L1A/L1B (F,P) lists and of the L1R lists.
struct band {
    std::string label; // text inside the parentheses, e.g. "6.9GHz,H"
    int channel;       // 0 6.9 ... 5 36.5, 6 89 GHz
    bool vertical;
    bool full_width; // 89 GHz sample count rather than the low-resolution count
    bool horn_b;     // sampled by the 89 GHz B horn
};

// Sixteen (F,P) bands: 6.9 GHz H, V ... 89.0 GHz-B V.
std::span<const band> l1_bands();
// Forty L1R bands: res06 ... original.
std::span<const band> l1r_bands();

// Names of the four 89 GHz geolocation datasets, in table order: latitude A, B,
// longitude A, B.
inline constexpr std::string_view kLat89A = "Latitude of Observation Point for 89A";
inline constexpr std::string_view kLat89B = "Latitude of Observation Point for 89B";
inline constexpr std::string_view kLon89A = "Longitude of Observation Point for 89A";
inline constexpr std::string_view kLon89B = "Longitude of Observation Point for 89B";
inline constexpr std::string_view kLatLow = "Latitude of Observation Point";
inline constexpr std::string_view kLonLow = "Longitude of Observation Point";

// A geophysical variable of the L2 and L3 products.
enum class surface { ocean, land, any };
struct geophysical {
    std::string_view code; // three-letter code
    std::string_view name; // "GeophysicalName" text
    float scale;           // "SCALE FACTOR"
    double min;            // physical range
    double max;
    surface where;      // where it has values; fill elsewhere
    int default_layers; // second layer: SWE for SND, SST10GHz for SST
};
std::span<const geophysical> geophysicals();
// By code or by full name; nullptr when unknown.
const geophysical* find_geophysical(std::string_view code_or_name);

} // namespace synth_radiometer

} // namespace vardane
