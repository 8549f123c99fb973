#include "reader/jasmes/jasmes_header.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "reader/jasmes/jasmes_header_columns.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// Text of a column range; shorter (or empty) when the line ends inside it.
std::string field(const std::string& line, header_column c)
{
    if (c.first >= line.size()) return {};
    return line.substr(c.first, c.length());
}

std::string skip_blanks(const std::string& s)
{
    const auto p = s.find_first_not_of(' ');
    return p == std::string::npos ? std::string() : s.substr(p);
}

std::int32_t parse_int(const std::string& s)
{
    const std::string t = skip_blanks(s);
    std::int32_t v = 0;
    if (std::from_chars(t.data(), t.data() + t.size(), v).ec != std::errc()) return 0;
    return v;
}

double parse_double(const std::string& s)
{
    const std::string t = skip_blanks(s);
    double v = 0.0;
    if (std::from_chars(t.data(), t.data() + t.size(), v).ec != std::errc()) return 0.0;
    // "nan" and "inf" parse but are no header value.
    return std::isfinite(v) ? v : 0.0;
}

// An origin or pixel size written as "nan" or "inf" stays so: unlike a blank
// field it cannot be taken for 0, and the reader refuses the grid it spoils.
double parse_coordinate(const std::string& s)
{
    const std::string t = skip_blanks(s);
    double v = 0.0;
    if (std::from_chars(t.data(), t.data() + t.size(), v).ec != std::errc()) return 0.0;
    return v;
}

// Shape, origin and pixel size, common to every format.
template <class Columns>
void parse_geometry(const std::string& line, const Columns& c, JasmesHeader_t& h)
{
    h.width = parse_int(field(line, c.width));
    h.height = parse_int(field(line, c.height));
    h.lon = parse_coordinate(field(line, c.lon));
    h.lat = parse_coordinate(field(line, c.lat));
    h.resolution = parse_coordinate(field(line, c.resolution));
}

void parse_full(const std::string& line, const header_columns& c, JasmesHeader_t& h)
{
    parse_geometry(line, c, h);
    h.scale = parse_double(field(line, c.scale));
    h.offset = parse_double(field(line, c.offset));
    h.para = field(line, c.para);
    h.area = field(line, c.area);
    h.bands = 1;
}

bool all_natural(const std::string& line, std::initializer_list<header_column> columns)
{
    for (const auto& c : columns) {
        if (!isNaturalWord(field(line, c))) return false;
    }
    return true;
}

} // namespace

void clear_JasmeHeader(JasmesHeader_t& header) { header = JasmesHeader_t{}; }

bool is_printable_char(char c) { return c >= 0x20 && c <= 0x7e; }

bool isNaturalWord(const std::string& sbuf)
{
    if (sbuf.empty()) return false;
    for (const char c : sbuf) {
        if (!is_printable_char(c) || c == ',') return false;
    }
    const std::string t = trim_space(sbuf);
    return t.size() >= 2 && t.find(' ') == std::string::npos;
}

bool parse_header_T1(const std::string& strbuf, JasmesHeader_t& PData)
{
    clear_JasmeHeader(PData);
    const std::size_t n = strbuf.size();
    if (n >= kT1ShortMin && n <= kT1ShortMax) {
        parse_geometry(strbuf, kT1Columns, PData);
        PData.para = "wst";
        PData.area = "WST_raw";
        PData.bands = 1;
        return true;
    }
    if (n <= kT1Columns.area.last) return false;
    parse_full(strbuf, kT1Columns, PData);
    return true;
}

bool parse_header_T1rgb(const std::string& strbuf, JasmesHeader_t& PData)
{
    clear_JasmeHeader(PData);
    const auto& c = kT1rgbColumns;
    if (strbuf.size() <= c.area.last) return false;
    if (!all_natural(strbuf, {c.width, c.height, c.lon, c.lat, c.resolution, c.scale, c.offset, c.para, c.area}))
        return false;
    parse_full(strbuf, c, PData);
    return true;
}

bool parse_header_T2(const std::string& strbuf, JasmesHeader_t& PData)
{
    clear_JasmeHeader(PData);
    const auto& c = kT2Columns;
    if (!all_natural(strbuf, {c.width, c.height, c.lon, c.lat, c.resolution, c.bands})) return false;
    const std::int32_t bands = parse_int(field(strbuf, c.bands));
    if (bands < 1 || bands > c.maxBands) return false;
    const auto bandColumn = [&](int k) {
        const std::size_t first = c.firstBandScale + c.bandScaleWidth * static_cast<std::size_t>(k);
        return header_column{first, first + c.bandScaleWidth - 1};
    };
    for (int k = 0; k < bands; ++k) {
        if (!isNaturalWord(field(strbuf, bandColumn(k)))) return false;
    }
    parse_geometry(strbuf, c, PData);
    PData.bands = bands;
    for (int k = 0; k < bands; ++k) PData.bandScale[k] = parse_double(field(strbuf, bandColumn(k)));
    return true;
}

} // namespace vardane
