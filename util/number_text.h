#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vardane {

// Every number text the program reads or writes goes through these, which
// behave the same under every locale. The window's toolkit switches the C
// library to the user's locale, under which its parsers stop at the '.' of
// "0.5" and its formatters write "0,5"; files, attributes, position texts
// and log lines always use '.'.

// printf "%.<digits>g" in the C locale: at most `digits` significant digits,
// no trailing zeros (0, 1000, 0.5, 1e+06).
std::string format_general(double value, int digits);

// printf "%.<decimals>f" in the C locale.
std::string format_fixed(double value, int decimals);

// The number at the start of text, read as the C library reads a decimal in
// the C locale: white space skipped, one optional sign, decimal digits with
// an optional '.' and exponent, or "inf"/"nan"; what follows is ignored. `used`, when
// given, receives the count of bytes up to the number's end. Nothing when no
// number starts the text or it lies beyond the type's range. Hexadecimal
// ("0x1p3") is not read: it reads as 0 followed by other text.
std::optional<double> leading_double(std::string_view text, std::size_t* used = nullptr);
std::optional<float> leading_float(std::string_view text, std::size_t* used = nullptr);

// The whole text as one number; white space around it allowed.
std::optional<float> whole_float(std::string_view text);

} // namespace vardane
