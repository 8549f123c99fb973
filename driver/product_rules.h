#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "reader/product_types.h"
#include "settings/option_types.h"

namespace vardane {

class spconverter;

// How the selection list of a product kind is built.
enum class selection_mode {
    all,         // every selected option of the kind's set
    below_count, // the same, only options whose index is below N_count
    l2low_names, // geophysical-name candidates in the L2 low-resolution set
    l3gd_names,  // geophysical-name candidates in the L3 geophysical set
};

// When a swath product's geolocation is read before its variables.
enum class geolocation_when { never, geotiff_or_kmz, geotiff_only };

// One geolocation array: the label the swath writers know it by and the
// reader's data-source index.
struct geolocation_read {
    const char* label;
    std::int32_t index; // below 0: counted back from N_count (-1 is the last parameter)

    std::int32_t index_in(std::uint32_t count) const
    {
        return index >= 0 ? index : static_cast<std::int32_t>(count) + index;
    }
};

// How one product kind is announced, selected and prepared.
struct product_rule {
    productType kind;
    const char* head; // the log line, or the part before the geophysical name
    const char* tail; // null: head is the whole line; else it follows the name
    SettingType setting;
    selection_mode mode;
    AmsrType amsr;
    geolocation_when when;
    std::span<const geolocation_read> reads;
    bool coregistration; // the 89 GHz co-registration attributes follow the reads
};

// The rule of a non-JASMES product kind; null for PT_UNKNOWN and JASMES.
const product_rule* find_product_rule(productType kind);

// The announcement line of a rule for a file with this geophysical name and
// product label (a daily GSMaP file shares the hourly kind, not its line).
std::string product_line(const product_rule& rule, const std::string& geoName, const std::string& label = {});

// How many of a file's N_count parameters are variables: the geolocation
// arrays the rule reads are parameters too, counted last.
std::uint32_t variable_count(const product_rule& rule, std::uint32_t count);

// Option keys tried for an L2 low-resolution or L3 geophysical file with
// `count` variables, in order.
std::vector<std::string> geophysical_candidates(const std::string& geoName, std::uint32_t count);

// The geophysical name of the files that offer an option key of those
// kinds: the key itself, or the first layer's name for a second layer's key
// ("SWE" is offered by "SND" files).
std::string geophysical_name_of_key(const std::string& key);

// How the option keys of a JASMES file are found.
enum class jasmes_keys { global_flag_type, local_lst, gobi_fixed };

using jasmes_lookup = bool (spconverter::*)(const std::string&, optSet_t&) const;

struct jasmes_rule {
    JasmesArea area;
    const char* line;
    SettingType setting;
    jasmes_lookup lookup; // null: nothing can be selected
    jasmes_keys keys;
};

// The rule of a JASMES area; the unknown-area rule for any other value.
const jasmes_rule& find_jasmes_rule(JasmesArea area);

// Option keys of a JASMES file, in the order they are tried.
std::vector<std::string> jasmes_candidates(const jasmes_rule& rule, const std::string& para,
                                           const std::string& hdf4Type);

// The radiometer L3 grids, whose GeoTIFFs are ready-made grids written with
// libtiff alone.
inline bool is_radiometer_l3_grid(productType k) { return k == PT_AMSR2_L3_BT || k == PT_AMSR2_L3_GD; }

inline bool is_jasmes_kind(productType k) { return k == PT_JASMES_RAW || k == PT_JASMES_HDR || k == PT_JASMES_HDF4; }

} // namespace vardane
