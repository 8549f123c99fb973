#pragma once

#include <optional>
#include <string>

#include "settings/option_types.h"

namespace vardane {

// The range a variable's KMZ is coloured over while its colour bar is
// "Default": the bounds of the built-in table the writer chooses for files
// of the option's kind.
struct colour_range {
    float minimum = 0.0f;
    float maximum = 0.0f;
    bool log = false; // the table has the logarithmic palette's colours
};

// Name of that built-in table ("" when the kind has none).
std::string default_colour_table(SettingType kind, const std::string& key);

// Its range as read from the table file; nothing when the variable has no
// table (a picture in true colours, a kind without KMZ) or the file cannot
// be read.
std::optional<colour_range> default_colour_range(SettingType kind, const std::string& key);

} // namespace vardane
