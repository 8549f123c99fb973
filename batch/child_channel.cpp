#include "batch/child_channel.h"

#include <array>

namespace vardane {

namespace {

constexpr char kLogTag = 'L';
constexpr char kEventTag = 'E';
constexpr char kFileTag = 'F';
constexpr char kEndTag = 'D';
constexpr char kRetiringMark = 'r';
constexpr char kSeparator = '\t';

constexpr std::array kEventNames = {
    std::pair{run_event_type::recognised, "recognised"},         std::pair{run_event_type::not_product, "not_product"},
    std::pair{run_event_type::output_created, "output_created"}, std::pair{run_event_type::failure, "failure"},
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

std::string joined(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += kSeparator;
        out += escaped(fields[i]);
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

std::string event_text(const run_event& event)
{
    std::string name;
    for (const auto& [type, text] : kEventNames) {
        if (type == event.type) name = text;
    }
    return joined({name, event.kind, event.path, event.why.file, event.why.cause});
}

std::optional<child_record> decoded_event(const std::string& text)
{
    const auto fields = fields_of(text);
    if (fields.size() != 5) return std::nullopt;
    for (const auto& [type, name] : kEventNames) {
        if (fields[0] == name)
            return child_record{run_event{type, fields[1], fields[2], failure{fields[3], fields[4]}}};
    }
    return std::nullopt;
}

} // namespace

std::string encode_record(const child_record& record)
{
    struct encoder {
        std::string operator()(const std::string& line) const { return kLogTag + escaped(line); }
        std::string operator()(const run_event& event) const { return kEventTag + event_text(event); }
        std::string operator()(const file_started& file) const { return kFileTag + escaped(file.path); }
        std::string operator()(const task_ended& end) const
        {
            std::string text{kEndTag, end.completed ? '1' : '0'};
            if (end.retiring) text += kRetiringMark;
            return text;
        }
    };
    return std::visit(encoder{}, record);
}

std::optional<child_record> decode_record(const std::string& line)
{
    if (line.empty()) return std::nullopt;
    const std::string body = line.substr(1);
    switch (line.front()) {
    case kLogTag: return child_record{unescaped(body)};
    case kEventTag: return decoded_event(body);
    case kFileTag: return child_record{file_started{unescaped(body)}};
    case kEndTag:
        if (body == "0" || body == "1") return child_record{task_ended{body == "1"}};
        if (body.size() == 2 && body[1] == kRetiringMark && (body[0] == '0' || body[0] == '1'))
            return child_record{task_ended{body[0] == '1', true}};
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::string encode_task(const std::vector<std::string>& files) { return joined(files); }

std::vector<std::string> decode_task(const std::string& line)
{
    if (line.empty()) return {};
    return fields_of(line);
}

} // namespace vardane
