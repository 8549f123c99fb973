#include "colour/clt_numbers.h"

#include <array>
#include <charconv>

namespace vardane {

std::string format_significant(double value, int digits)
{
    std::array<char, 64> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, digits);
    if (ec != std::errc{}) return "0";
    return std::string(buffer.data(), end);
}

std::optional<float> parse_leading_value(std::string_view text)
{
    constexpr std::string_view blanks = " \t\n\v\f\r";
    const auto start = text.find_first_not_of(blanks);
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    float v = 0.0f;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec == std::errc::result_out_of_range) return std::nullopt;
    if (ec != std::errc{} || end == text.data()) return std::nullopt;
    return v;
}

} // namespace vardane
