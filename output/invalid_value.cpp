#include "output/invalid_value.h"

#include <cmath>
#include <optional>

#include "util/number_text.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

std::optional<invalid_value::rule> parse_piece(const std::string& piece)
{
    using rule = invalid_value::rule;
    const std::vector<std::string> parts = split(piece, '_');
    if (parts.size() == 1) {
        const auto x = whole_float(parts[0]);
        if (!x) return std::nullopt;
        return rule{*x, 0.0f, invalid_value::EQUAL};
    }
    if (parts.size() != 2) return std::nullopt;
    const bool hasLow = !parts[0].empty();
    const bool hasHigh = !parts[1].empty();
    if (!hasLow && !hasHigh) return std::nullopt;
    std::optional<float> low = hasLow ? whole_float(parts[0]) : std::optional<float>(0.0f);
    std::optional<float> high = hasHigh ? whole_float(parts[1]) : std::optional<float>(0.0f);
    if (!low || !high) return std::nullopt;
    if (!hasHigh) return rule{*low, 0.0f, invalid_value::AT_LEAST};
    if (!hasLow) return rule{0.0f, *high, invalid_value::AT_MOST};
    return rule{*low, *high, invalid_value::BETWEEN};
}

} // namespace

invalid_value::invalid_value(const std::string& text)
{
    for (const std::string& piece : split(text, ',')) {
        if (piece.empty()) continue;
        if (const auto r = parse_piece(piece)) rules_.push_back(*r);
    }
}

bool invalid_value::is_invalid(float value) const
{
    const double v = value;
    if (std::isnan(v)) return false;
    for (const rule& r : rules_) {
        const double low = r.low;
        const double high = r.high;
        switch (r.kind) {
        case EQUAL:
            if (v == low) return true;
            break;
        case AT_LEAST:
            if (v >= low) return true;
            break;
        case AT_MOST:
            if (v <= high) return true;
            break;
        case BETWEEN:
            if (low <= v && v <= high) return true;
            break;
        }
    }
    return false;
}

} // namespace vardane
