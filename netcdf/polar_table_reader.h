#pragma once

#include <string>
#include <vector>

namespace vardane {

// Reads a polar coordinate table: `lines` text lines of at least `pixels`
// comma-separated decimal degrees, and gives trunc(degrees x 100) per cell,
// line by line. False, with a message naming the file and the line, when the
// file cannot be opened, ends early, or a line is short or holds a field that
// is not a number of degrees.
bool read_polar_table(const std::string& path, std::size_t lines, std::size_t pixels, std::vector<short>& out,
                      std::string& error);

} // namespace vardane
