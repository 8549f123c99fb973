#include <filesystem>
#include <fstream>
#include <istream>
#include <streambuf>

#include "settings/number_text.h"
#include "settings/output_name.h"
#include "settings/settings_sections.h"
#include "settings/spconverter.h"
#include "util/string_utils.h"

namespace {

// No real settings line comes near this; longer lines are skipped unread so
// that a damaged or hostile file cannot make the reader hold it in memory.
constexpr std::size_t max_line_bytes = 1 << 20;

// Next line without its line feed and one trailing carriage return.
// False at the end of the input. too_long marks a line over the cap, whose
// bytes are dropped.
bool next_line(std::streambuf& in, std::string& line, bool& too_long)
{
    line.clear();
    too_long = false;
    int c = in.sbumpc();
    if (c == std::char_traits<char>::eof()) return false;
    while (c != std::char_traits<char>::eof() && c != '\n') {
        if (line.size() < max_line_bytes) {
            line.push_back(static_cast<char>(c));
        } else {
            too_long = true;
        }
        c = in.sbumpc();
    }
    if (too_long) line.clear();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

// Fields between tabs; a trailing empty field is not produced.
std::vector<std::string> tab_fields(const std::string& line)
{
    std::vector<std::string> fields = split(line, '\t');
    if (!fields.empty() && fields.back().empty()) fields.pop_back();
    return fields;
}

std::string trimmed(std::string text) { return trim(text); }

// "1", "2", "3" pick a polar choice; anything else is the lat/lon grid.
TiffGenType projection_value(const std::string& text)
{
    if (text == "1") return TG_POLAR_BOTH;
    if (text == "2") return TG_POLAR_NORTH;
    if (text == "3") return TG_POLAR_SOUTH;
    return TG_EQR;
}

} // namespace

// Reading state of one settings text. Returns false from a line handler when
// the rest of the text must be ignored.
class settings_reader {
public:
    settings_reader(std::map<SettingType, spconverter::option_set*>& directory,
                    std::map<SettingType, std::string>& markers,
                    std::map<SettingType, TiffGenType>& projection,
                    std::map<SettingType, spconverter::dimension_table>& dimensions)
        : directory_(directory), markers_(markers), projection_(projection), dimensions_(dimensions)
    {
    }

    bool line(const std::string& text)
    {
        const std::string blank_trimmed = trim_space(text);
        if (blank_trimmed.empty() || blank_trimmed == "#") return true;
        if (text.front() == '#') {
            marker(blank_trimmed);
            return true;
        }
        if (!set_) return true;

        const std::vector<std::string> fields = tab_fields(text);
        std::size_t first = 0;
        while (first < fields.size() && trim_space(fields[first]).empty()) ++first;
        if (fields.size() - first < 2) {
            key_value_line(text);
            return true;
        }
        return column_line(fields, first);
    }

private:
    void marker(const std::string& text)
    {
        for (const auto& [kind, marker] : markers_) {
            if (marker == text) {
                kind_ = kind;
                break;
            }
        }
        const auto it = directory_.find(kind_);
        set_ = it == directory_.end() ? nullptr : it->second;
    }

    // key: field=value, or Projection: value.
    void key_value_line(const std::string& text)
    {
        const std::string line = trimmed(text);
        const auto colon = line.find(':');
        if (colon == std::string::npos) return;
        const std::string key = trimmed(line.substr(0, colon));
        const std::string value = trimmed(line.substr(colon + 1));
        if (key == "Projection") {
            projection_[kind_] = projection_value(value);
            return;
        }
        const auto equals = value.find('=');
        if (equals == std::string::npos) return;
        const std::string field = trimmed(value.substr(0, equals));
        const std::string field_value = trimmed(value.substr(equals + 1));

        const auto entry = set_->find(key);
        if (entry != set_->end()) {
            if (field == "flag") {
                read_flag(entry->second, field_value);
            } else if (field == "custom_colorbar") {
                read_colorbar(entry->second, field_value);
            }
        } else if (field == "dimensions" && !key.empty()) {
            dimensions_[kind_][key] = split(field_value, ',');
        }
    }

    // "1,NAME": the name is taken as written.
    static void read_flag(optSet_t& entry, const std::string& value)
    {
        const auto comma = value.find(',');
        if (comma == std::string::npos) return;
        entry.flag = trimmed(value.substr(0, comma)) == "1";
        entry.name = trimmed(value.substr(comma + 1));
    }

    // "custom,min,max,log,invalid values": the last part keeps its commas.
    // A minimum or maximum that is no number leaves the entry as it was.
    static void read_colorbar(optSet_t& entry, const std::string& value)
    {
        std::vector<std::string> parts = split(value, ',', 5);
        if (parts.size() != 5) return;
        for (std::string& part : parts) trim(part);
        float minimum = 0.0f;
        float maximum = 0.0f;
        if (!parse_leading_float(parts[1], minimum) || !parse_leading_float(parts[2], maximum)) {
            return;
        }
        entry.custom_colorbar = parts[0] == "1";
        entry.cb_min = minimum;
        entry.cb_max = maximum;
        entry.cb_log = parts[3] == "1";
        entry.invalid_values = parts[4];
    }

    // key[:] TAB flag TAB name [TAB custom TAB min TAB max TAB log TAB invalid].
    bool column_line(const std::vector<std::string>& fields, std::size_t first)
    {
        const std::size_t count = fields.size() - first;
        auto field = [&](std::size_t k) { return trim_space(fields[first + k]); };
        std::string key = field(0);
        if (count == 2) {
            if (key == "Projection:" && has_projection_choice(kind_)) {
                projection_[kind_] = projection_value(field(1));
            }
            return true;
        }
        if (!key.empty() && key.back() == ':') key.pop_back();
        const auto it = set_->find(key);
        if (it == set_->end()) return true;
        optSet_t& entry = it->second;

        const bool flag = field(1) == "1";
        const std::string name = field(2);
        if (!is_valid_output_name(name)) {
            // A bad name means the rest of the file cannot be trusted.
            entry.flag = flag;
            return false;
        }
        optSet_t updated = entry;
        updated.flag = flag;
        updated.name = name;
        if (count > 3) updated.custom_colorbar = field(3) == "1";
        if (count > 4 && !parse_leading_float(field(4), updated.cb_min)) return true;
        if (count > 5 && !parse_leading_float(field(5), updated.cb_max)) return true;
        if (count > 6) updated.cb_log = field(6) == "1";
        if (count > 7) updated.invalid_values = field(7);
        entry = std::move(updated);
        return true;
    }

    std::map<SettingType, spconverter::option_set*>& directory_;
    std::map<SettingType, std::string>& markers_;
    std::map<SettingType, TiffGenType>& projection_;
    std::map<SettingType, spconverter::dimension_table>& dimensions_;
    SettingType kind_ = ST_NONE;
    spconverter::option_set* set_ = nullptr;
};

void spconverter::read_settings(std::istream& is)
{
    std::streambuf* in = is.rdbuf();
    if (!in) return;
    settings_reader reader(directory_, sectionMarkers_, projection_, dimensions_);
    std::string line;
    bool too_long = false;
    while (next_line(*in, line, too_long)) {
        if (too_long) continue;
        if (!reader.line(line)) break;
    }
}

// Only a regular file is read: a folder or a device (/dev/zero) in its place
// would give no lines or never end.
bool spconverter::loadSetting()
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(configPath_, ec)) return false;
    std::ifstream in(configPath_, std::ios::binary);
    if (!in) return false;
    read_settings(in);
    return true;
}
