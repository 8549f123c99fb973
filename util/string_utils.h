#pragma once

#include <map>
#include <string>
#include <vector>

namespace vardane {

// Byte-wise string helpers shared by the whole program. No character-set
// conversion happens anywhere: bytes >= 128 are ordinary bytes.

// Remove the six ASCII white-space bytes (blank, \t, \n, \v, \f, \r).
std::string& ltrim(std::string& s);
std::string& rtrim(std::string& s);
std::string& trim(std::string& s);

// Remove leading and trailing blanks (code 32) only; tabs stay.
std::string trim_space(const std::string& s);

// Replace every byte that is not an ASCII letter or digit by '_'.
std::string normalize(const std::string& s);

// Cut at every delimiter. With a positive maximum n at most n parts are
// returned, the last holding the rest of the input. Always >= 1 part.
std::vector<std::string> split(const std::string& s, char delimiter);
std::vector<std::string> split(const std::string& s, char delimiter, int maximum);

std::string join(const std::vector<std::string>& parts, const std::string& separator);

// File name with extension; both '\' and '/' separate folders.
std::string basicfname(const std::string& path);
// File name without extension. Call it with a std::string: glibc declares a
// basename(const char*) of its own that a string literal would pick.
// The last dot anywhere in the text counts,
// so a path whose only dot is in a folder name gives "".
std::string basename(const std::string& path);

// The name the outputs of an input file start with: its file name without
// the extension, and for a gzip-compressed file without ".gz" first, so
// that "a.dat.gz" gives the names "a.dat" gives.
std::string input_base_name(const std::string& path);

// "key-value,key-value": the first '-' of an item splits key from value, so a
// negative value is written "key--1.5". Items without '-' are ignored.
std::map<std::string, float> parse_cor(const std::string& text);

} // namespace vardane
