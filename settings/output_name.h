#pragma once

#include <cstddef>
#include <string>

namespace vardane {

// Output names become parts of file names and one token of a settings line:
// 1 to 40 bytes; no blank, tab or other control byte (below 0x20, or 0x7F),
// no '/', and neither "." nor "..", so that a name can never leave the output
// folder, split a log or settings line, or hide in a terminal.
constexpr std::size_t max_output_name_length = 40;

inline bool is_valid_output_name(const std::string& name)
{
    if (name.empty() || name.size() > max_output_name_length) return false;
    if (name == "." || name == "..") return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || byte == '/') return false;
    }
    return true;
}

} // namespace vardane
