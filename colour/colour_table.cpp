#include "colour/colour_table.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "colour/palette.h"
#include "util/number_text.h"
#include "util/string_utils.h"
#include "util/vdn_exception.h"

namespace vardane {

namespace {

constexpr std::string_view kTableLineMark = "VAL = ";

// The bound of a table line: the text after the first "=" of its first
// tab-separated field.
std::optional<float> line_bound(const std::string& line)
{
    const auto fields = split(line, '\t');
    const auto parts = split(fields[0], '=', 2);
    if (parts.size() < 2) return std::nullopt;
    return leading_float(parts[1]);
}

std::optional<rgba> line_colour(const std::string& line)
{
    const auto fields = split(line, '\t');
    if (fields.size() < 2) return std::nullopt;
    return parse_colour_field(fields[1]);
}

std::vector<color_map> colour_classes(std::istream& in)
{
    std::vector<color_map> classes;
    std::optional<float> previous; // bound of the previous table line, kept or not
    bool first = true;
    std::string line;
    while (std::getline(in, line)) {
        if (line.find(kTableLineMark) == std::string::npos) continue;
        const std::optional<float> bound = line_bound(line);
        const std::optional<float> lower = first ? bound : previous;
        first = false;
        previous = bound;
        if (!bound) continue;
        const std::optional<rgba> c = line_colour(line);
        if (!c) continue;
        classes.push_back({lower.value_or(*bound), *bound, c->r, c->g, c->b, c->a});
    }
    if (!classes.empty()) {
        color_map closing = classes.back();
        closing.lower = closing.upper;
        classes.push_back(closing);
    }
    return classes;
}

} // namespace

std::vector<color_map> GetColorMap(const std::string& path)
{
    std::ifstream in(path);
    if (!in) throw vdn_exception("cannot open file: " + path);
    return colour_classes(in);
}

std::vector<color_map> parse_colour_table(const std::string& text)
{
    std::istringstream in(text);
    return colour_classes(in);
}

} // namespace vardane
