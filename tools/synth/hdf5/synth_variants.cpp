#include "synth_variants.h"

#include <charconv>
#include <stdexcept>

namespace vardane {

namespace synth_variants {

namespace {

int parse_int(const std::string& key, const std::string& text, int min, int max)
{
    int v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || v < min || v > max) {
        throw std::invalid_argument("bad value '" + text + "' for " + key + " (expected " + std::to_string(min) + ".."
                                    + std::to_string(max) + ")");
    }
    return v;
}

} // namespace

int integer(const synth_options& o, const std::string& key, int fallback, int min, int max)
{
    const std::string text = o.variant(key);
    return text.empty() ? fallback : parse_int(key, text, min, max);
}

synth_h5::string_layout string_layout(const synth_options& o, synth_h5::string_layout fallback)
{
    const std::string text = o.variant("strings");
    if (text.empty()) return fallback;
    if (text == "vlen") return synth_h5::string_layout::vlen_1d;
    if (text == "fixed") return synth_h5::string_layout::fixed_scalar;
    throw std::invalid_argument("bad value '" + text + "' for strings (expected vlen or fixed)");
}

coregistration_form coregistration(const synth_options& o)
{
    const std::string text = o.variant("coreg");
    if (text.empty()) return coregistration_form::as_text;
    if (text == "utf8") return coregistration_form::utf8;
    if (text == "utf8-fixed") return coregistration_form::utf8_fixed;
    if (text == "number") return coregistration_form::number;
    throw std::invalid_argument("bad value '" + text + "' for coreg (expected utf8, utf8-fixed or number)");
}

pair integer_pair(const synth_options& o, const std::string& key, pair fallback, int max_each)
{
    const std::string text = o.variant(key);
    if (text.empty()) return fallback;
    const auto x = text.find('x');
    if (x == std::string::npos) return {parse_int(key, text, 1, max_each), 1};
    return {parse_int(key, text.substr(0, x), 1, max_each), parse_int(key, text.substr(x + 1), 1, max_each)};
}

} // namespace synth_variants

} // namespace vardane
