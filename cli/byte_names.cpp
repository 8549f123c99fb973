#include "cli/byte_names.h"

namespace vardane {

namespace {

// The length of the UTF-8 sequence at `at` and its code point; 0 when it is
// no well-formed sequence (overlong forms, surrogates and code points above
// U+10FFFF are not).
std::size_t utf8_sequence(std::string_view text, std::size_t at, char32_t& point)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    // By the lead byte: the sequence's length, the smallest code point it may
    // carry, and the bits of the code point it holds.
    struct form {
        unsigned char mask, marker;
        std::size_t length;
        char32_t minimum;
    };
    constexpr form kForms[] = {
        {0x80, 0x00, 1, 0}, {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    const form* found = nullptr;
    for (const auto& f : kForms) {
        if ((lead & f.mask) == f.marker) {
            found = &f;
            break;
        }
    }
    if (!found) return 0;
    const std::size_t length = found->length;
    const char32_t minimum = found->minimum;
    point = lead & static_cast<unsigned char>(~found->mask);
    if (text.size() - at < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return 0;
        point = (point << 6) | (next & 0x3F);
    }
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    return point < minimum || surrogate || point > 0x10FFFF ? 0 : length;
}

} // namespace

bool is_utf8(std::string_view text)
{
    char32_t point = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8_sequence(text, at, point);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string bytes_as_text(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::optional<std::string> text_as_bytes(std::string_view text)
{
    std::string bytes;
    char32_t point = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8_sequence(text, at, point);
        if (length == 0 || point > 0xFF) return std::nullopt;
        bytes += static_cast<char>(point);
        at += length;
    }
    return bytes;
}

} // namespace vardane
