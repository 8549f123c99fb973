#include "colour/palette.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "util/string_utils.h"

namespace vardane {

namespace {

constexpr std::array<std::string_view, 11> kLinearPalette = {
    "\tCOLOR = 0,0,255",    "\tCOLOR = 0,0,255",    "\tCOLOR = 0,100,255", "\tCOLOR = 0,180,255",
    "\tCOLOR = 51,219,128", "\tCOLOR = 155,235,74", "\tCOLOR = 255,235,0", "\tCOLOR = 255,179,0",
    "\tCOLOR = 255,100,0",  "\tCOLOR = 235,30,0",   "\tCOLOR = 175,30,0",
};

constexpr std::array<std::string_view, 10> kLogPalette = {
    "\tCOLOR = 0,0,255", "\tCOLOR = 0,0,255",     "\tCOLOR = 0,128,255", "\tCOLOR = 0,255,255", "\tCOLOR = 0,255,128",
    "\tCOLOR = 0,255,0", "\tCOLOR = 188,255,122", "\tCOLOR = 255,255,0", "\tCOLOR = 255,128,0", "\tCOLOR = 255,0,0",
};

// A decimal integer at the start of text, after blanks; a value beyond the
// range of int is clamped like any other out-of-range component.
std::optional<int> leading_component(std::string item)
{
    trim(item);
    const char* first = item.data();
    const char* last = item.data() + item.size();
    if (first != last && *first == '+') ++first;
    long long v = 0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
        return (first != last && *first == '-') ? 0 : 255;
    }
    if (ec != std::errc{} || end == first) return std::nullopt;
    return int(std::clamp<long long>(v, 0, 255));
}

} // namespace

bool is_linear_type(std::string_view type) { return type == "Linear"; }

palette create_rgb_map(std::string_view type)
{
    if (is_linear_type(type)) return kLinearPalette;
    return kLogPalette;
}

std::optional<rgba> parse_colour_field(std::string_view field)
{
    const auto eq = field.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    std::string rest(field.substr(eq + 1));
    trim(rest);
    const auto items = split(rest, ',');
    if (items.size() < 3) return std::nullopt;
    rgba c;
    int* const parts[] = {&c.r, &c.g, &c.b, &c.a};
    const std::size_t n = std::min<std::size_t>(items.size(), 4);
    for (std::size_t i = 0; i < n; ++i) {
        const auto v = leading_component(items[i]);
        if (!v) return std::nullopt;
        *parts[i] = *v;
    }
    return c;
}

} // namespace vardane
