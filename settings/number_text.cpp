#include "settings/number_text.h"

#include <charconv>
#include <system_error>

namespace vardane {

namespace {

template <typename T>
std::string format(T value, std::chars_format fmt, int precision)
{
    // Large enough for any double in fixed notation (about 310 digits).
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, fmt, precision);
    if (result.ec != std::errc()) return {};
    return std::string(buffer, result.ptr);
}

} // namespace

std::string format_general6(float value) { return format(value, std::chars_format::general, 6); }

std::string format_fixed4(double value) { return format(value, std::chars_format::fixed, 4); }

bool parse_leading_float(std::string_view text, float& value)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) return false;
    }
    float parsed = 0.0f;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed,
                                        std::chars_format::general);
    if (result.ec != std::errc()) return false;
    value = parsed;
    return true;
}

} // namespace vardane
