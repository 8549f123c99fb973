#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace vardane {

// The inputs of a list file: one path a line, taken as it stands (a path may
// begin or end with blanks); blank lines and lines whose first non-blank
// character is '#' are skipped, and a carriage return before the line feed
// (a list written on Windows) is dropped.
std::vector<std::string> read_input_list(std::istream& in);

// The list named on the command line, "-" being standard input; nothing
// when the file cannot be read.
std::optional<std::vector<std::string>> load_input_list(const std::string& source);

} // namespace vardane
