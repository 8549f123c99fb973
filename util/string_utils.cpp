#include "util/string_utils.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "util/number_text.h"

namespace vardane {

namespace {

bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool is_alnum_ascii(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

// Index just after the last folder separator, or 0.
std::size_t name_start(const std::string& path)
{
    for (std::size_t i = path.size(); i > 0; --i) {
        if (is_separator(path[i - 1])) return i;
    }
    return 0;
}

} // namespace

std::string& ltrim(std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && is_white(s[i])) ++i;
    s.erase(0, i);
    return s;
}

std::string& rtrim(std::string& s)
{
    std::size_t n = s.size();
    while (n > 0 && is_white(s[n - 1])) --n;
    s.erase(n);
    return s;
}

std::string& trim(std::string& s) { return ltrim(rtrim(s)); }

std::string trim_space(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::string normalize(const std::string& s)
{
    std::string out = s;
    for (char& c : out) {
        if (!is_alnum_ascii(static_cast<unsigned char>(c))) c = '_';
    }
    return out;
}

std::vector<std::string> split(const std::string& s, char delimiter) { return split(s, delimiter, 0); }

std::vector<std::string> split(const std::string& s, char delimiter, int maximum)
{
    std::vector<std::string> parts;
    std::string current;
    int count = 0;
    for (char c : s) {
        if (c == delimiter && count != maximum - 1) {
            ++count;
            parts.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    parts.push_back(std::move(current));
    return parts;
}

std::string join(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

std::string basicfname(const std::string& path)
{
    const std::string p = trim_space(path);
    if (p.empty()) return {};
    const std::size_t start = name_start(p);
    if (start >= p.size()) return {};
    return p.substr(start);
}

std::string input_base_name(const std::string& path)
{
    std::filesystem::path name = std::filesystem::path(path).filename();
    std::string extension = name.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".gz") name = name.stem();
    return name.stem().string();
}

std::string basename(const std::string& path)
{
    const std::string p = trim_space(path);
    if (p.empty()) return {};
    const std::size_t start = name_start(p);
    const auto dot = p.rfind('.');
    // end is inclusive; a dot at index 0 leaves nothing before it.
    if (dot == std::string::npos) {
        if (start >= p.size()) return {};
        return p.substr(start);
    }
    if (dot == 0 || start > dot - 1) return {};
    return p.substr(start, dot - start);
}

std::map<std::string, float> parse_cor(const std::string& text)
{
    std::map<std::string, float> values;
    for (const std::string& item : split(text, ',')) {
        const auto minus = item.find('-');
        if (minus == std::string::npos) continue;
        const double number = leading_double(std::string_view(item).substr(minus + 1)).value_or(0.0);
        values[item.substr(0, minus)] = static_cast<float>(number);
    }
    return values;
}

} // namespace vardane
