#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace vardane {

// The two fixed palettes of the program's own colour tables. Each text is
// the colour part of a table line, tab first: "\tCOLOR = 0,0,255".
using palette = std::span<const std::string_view>;

// The linear palette (11 colours) when type is exactly "Linear", otherwise
// the logarithmic palette (10 colours).
palette create_rgb_map(std::string_view type);

// True when type names the linear scale; any other text means logarithmic.
bool is_linear_type(std::string_view type);

struct rgba {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 255;
};

// Reads the colour field of a table line, "COLOR = r,g,b" or
// "COLOR = r,g,b,a" (leading blanks and tabs allowed). Components are
// clamped to 0..255. Nothing when there is no "=", fewer than three items,
// or an item that does not start with a number.
std::optional<rgba> parse_colour_field(std::string_view field);

} // namespace vardane
