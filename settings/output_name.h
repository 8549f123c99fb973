#pragma once

#include <cstddef>
#include <string>

// Output names become parts of file names and one token of a settings line:
// 1 to 40 bytes, no blank, no tab.
constexpr std::size_t max_output_name_length = 40;

inline bool is_valid_output_name(const std::string& name)
{
    return !name.empty() && name.size() <= max_output_name_length &&
           name.find_first_of(" \t") == std::string::npos;
}
