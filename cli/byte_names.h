#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vardane {

// File names are bytes; JSON text is Unicode. A name that is not UTF-8 is
// carried through JSON byte for byte as the characters U+0000 to U+00FF (one
// character a byte, as ISO 8859-1 reads it), with a flag beside it saying so:
// a replacement character in its place would make two names one, and a
// name read back would no longer find its file.

// True when `text` is well-formed UTF-8.
bool is_utf8(std::string_view text);

// Each byte of `bytes` as the character of that number, in UTF-8.
std::string bytes_as_text(std::string_view bytes);

// The bytes of a text made by bytes_as_text; nothing when `text` holds a
// character above U+00FF or is not UTF-8.
std::optional<std::string> text_as_bytes(std::string_view text);

} // namespace vardane
