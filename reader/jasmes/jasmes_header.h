#pragma once

#include <string>

#include "reader/jasmes_state.h"

namespace vardane {

// Parsers of the one-line text header of a JASMES flat-binary file. Each
// reads fixed columns of strbuf into PData and tells whether the line has its
// format. Numbers are decimal text with leading blanks; a field that does not
// parse is 0.

// Plain header. A line of 36 to 47 characters is the short raw form ("wst"):
// complete after the pixel size. Otherwise at least 110 characters.
bool parse_header_T1(const std::string& strbuf, JasmesHeader_t& PData);

// Header of the RGB composites: other columns, every field a natural word.
bool parse_header_T1rgb(const std::string& strbuf, JasmesHeader_t& PData);

// Multi-band header: shape, origin, pixel size, band count 1..32 and one scale
// factor per band, every field a natural word.
bool parse_header_T2(const std::string& strbuf, JasmesHeader_t& PData);

// Non-empty, printable, no comma, and at least two characters without inner
// blanks once the outer blanks are removed.
bool isNaturalWord(const std::string& sbuf);

// Classic ASCII printable range (blank to tilde).
bool is_printable_char(char c);

} // namespace vardane
