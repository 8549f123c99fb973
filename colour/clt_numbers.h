#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vardane {

// Number texts of colour-table files, independent of the C locale (the
// window's toolkit switches it to the user's, which could write "0,5").

// General format with at most `digits` significant digits and no trailing
// zeros, '.' as decimal point: as printf "%.7g" in the C locale.
std::string format_significant(double value, int digits);

// The decimal number at the start of text, after white space (one leading
// '+' allowed); what follows it is ignored. Nothing when text does not
// start with a number.
std::optional<float> parse_leading_value(std::string_view text);

} // namespace vardane
