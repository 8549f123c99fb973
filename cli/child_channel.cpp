#include "cli/child_channel.h"

#include <array>
#include <vector>

namespace {

constexpr char kLogTag = 'L';
constexpr char kEventTag = 'E';
constexpr char kSeparator = '\t';

constexpr std::array kEventNames = {
    std::pair{run_event_type::recognised, "recognised"},
    std::pair{run_event_type::not_product, "not_product"},
    std::pair{run_event_type::output_created, "output_created"},
    std::pair{run_event_type::failure, "failure"},
    std::pair{run_event_type::cancelled, "cancelled"},
};

// Line feeds, tabs and backslashes in a field (a file name may hold any of
// them) are escaped, so a record stays one line and its fields stay apart.
std::string escaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        default: out += text[i];
        }
    }
    return out;
}

std::vector<std::string> fields_of(const std::string& text)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(kSeparator, start);
        fields.push_back(unescaped(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

} // namespace

std::string encode_log_record(const std::string& text) { return kLogTag + escaped(text); }

std::string encode_event_record(const run_event& event)
{
    std::string name;
    for (const auto& [type, text] : kEventNames) {
        if (type == event.type) name = text;
    }
    return kEventTag + name + kSeparator + escaped(event.kind) + kSeparator + escaped(event.path);
}

std::optional<child_record> decode_record(const std::string& line)
{
    if (line.empty()) return std::nullopt;
    if (line.front() == kLogTag) return child_record{unescaped(line.substr(1))};
    if (line.front() != kEventTag) return std::nullopt;
    const auto fields = fields_of(line.substr(1));
    if (fields.size() != 3) return std::nullopt;
    for (const auto& [type, text] : kEventNames) {
        if (fields[0] == text) return child_record{run_event{type, fields[1], fields[2], {}}};
    }
    return std::nullopt;
}
