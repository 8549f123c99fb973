#include "util/number_text.h"

#include <charconv>
#include <system_error>

namespace vardane {

namespace {

constexpr std::string_view kWhite = " \t\n\v\f\r";

template <typename T>
std::string format(T value, std::chars_format style, int precision)
{
    // Room for any double in fixed notation (309 digits before the point).
    std::string text(330 + static_cast<std::size_t>(precision > 0 ? precision : 0), '\0');
    const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value, style, precision);
    if (ec != std::errc{}) return {};
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

template <typename T>
std::optional<T> leading(std::string_view text, std::size_t* used)
{
    const std::size_t start = text.find_first_not_of(kWhite);
    if (start == std::string_view::npos) return std::nullopt;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    // from_chars takes a '-' but no '+'; a decimal text may carry either, not both.
    if (*first == '+') {
        ++first;
        if (first != last && *first == '-') return std::nullopt;
    }
    T value{};
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc{}) return std::nullopt;
    if (used) *used = static_cast<std::size_t>(end - text.data());
    return value;
}

} // namespace

std::string format_general(double value, int digits) { return format(value, std::chars_format::general, digits); }

std::string format_fixed(double value, int decimals) { return format(value, std::chars_format::fixed, decimals); }

std::optional<double> leading_double(std::string_view text, std::size_t* used) { return leading<double>(text, used); }

std::optional<float> leading_float(std::string_view text, std::size_t* used) { return leading<float>(text, used); }

std::optional<float> whole_float(std::string_view text)
{
    std::size_t used = 0;
    const auto value = leading_float(text, &used);
    if (!value || text.find_first_not_of(kWhite, used) != std::string_view::npos) return std::nullopt;
    return value;
}

} // namespace vardane
