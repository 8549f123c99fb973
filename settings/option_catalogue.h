#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/option_types.h"

namespace vardane {

// The built-in variable vocabulary of every kind, as data. Each family file
// (option_catalogue_*.cpp) adds its kinds to an option_catalogue.

// One variable: option key (its display label), output name, layer index,
// selected by default.
struct catalogue_row {
    std::string_view key;
    std::string_view name;
    int index;
    bool selected;
};

// A variable whose index is its display position and that is selected by
// default; an empty name means "same as the key".
struct positional_row {
    std::string_view key;
    std::string_view name = {};
};

struct option_catalogue {
    std::map<SettingType, std::map<std::string, optSet_t>> sets;
    std::map<SettingType, std::vector<std::string>> order;

    // Replaces the kind's option set and key order with rows (display order).
    void add(SettingType kind, std::span<const catalogue_row> rows);
    void add(SettingType kind, std::span<const positional_row> rows);
};

void add_gpm_options(option_catalogue& catalogue);    // kinds 1..6
void add_gcomw_options(option_catalogue& catalogue);  // kinds 7..12
void add_jasmes_options(option_catalogue& catalogue); // kinds 19..22
void add_gcomc_options(option_catalogue& catalogue);  // kinds 23..32

} // namespace vardane
