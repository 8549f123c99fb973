#pragma once

#include <string>
#include <string_view>

namespace vardane {

// Locale-independent number texts. The window's toolkit switches the C
// locale to the user's, which would turn "0.5" into "0,5" in printf; stored
// files and position texts must always use '.'.

// General format with 6 significant digits, as printf "%g" in the C locale
// (0, 1000, 0.5, 1e+06).
std::string format_general6(float value);

// Fixed-point with exactly 4 decimals, as printf "%.4f" in the C locale.
std::string format_fixed4(double value);

// Reads a decimal floating-point number at the start of text (one leading
// '+' allowed); anything after it is ignored. False, value unchanged, when
// the text does not start with a number or the number does not fit a float.
bool parse_leading_float(std::string_view text, float& value);

} // namespace vardane
