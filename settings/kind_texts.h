#pragma once

#include <span>
#include <string_view>

#include "settings/option_types.h"

namespace vardane {

// Fixed texts of every option-set kind: its section marker in the settings
// file, its display name in dialogs and the prefix of its user colour tables.
struct kind_texts {
    SettingType kind;
    std::string_view section_marker;
    std::string_view category_text;     // empty for ST_NONE
    std::string_view custom_clt_prefix; // empty: the kind has no user colour tables
};

// Rows for kinds 0..32 in kind order.
std::span<const kind_texts> kind_text_table();

// The row of a kind, or nullptr for a value outside 0..32.
const kind_texts* find_kind_texts(SettingType kind);

} // namespace vardane
