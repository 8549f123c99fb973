#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <istream>
#include <streambuf>

#include "settings/output_name.h"
#include "settings/settings_sections.h"
#include "settings/spconverter.h"
#include "util/number_text.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// No real settings line comes near this; longer lines are skipped unread so
// that a damaged or hostile file cannot make the reader hold it in memory.
constexpr std::size_t max_line_bytes = 1 << 20;

// The number at the start of text into value; false, value unchanged, when
// no number starts it.
bool parse_leading_float(std::string_view text, float& value)
{
    const auto read = leading_float(text);
    if (read) value = *read;
    return read.has_value();
}

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

// A refused name goes into a log line: control bytes are shown as \xNN so
// they cannot break the line or drive a terminal, and a very long name is cut.
std::string shown(const std::string& name)
{
    constexpr std::size_t max_shown = 60;
    std::string out;
    for (std::size_t i = 0; i < name.size() && i < max_shown; ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x20 || byte == 0x7F || byte == '"' || byte == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out.push_back(name[i]);
        }
    }
    if (name.size() > max_shown) out += "...";
    return out;
}

// A file read through its descriptor, so that a failing read() is told apart
// from the end of the file (std::filebuf reports both as the end).
class descriptor_buffer : public std::streambuf {
public:
    explicit descriptor_buffer(int fd) : fd_(fd) {}
    bool failed() const { return failed_; }

protected:
    int_type underflow() override
    {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        for (;;) {
            const ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
            if (n > 0) {
                setg(buffer_, buffer_, buffer_ + n);
                return traits_type::to_int_type(buffer_[0]);
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) failed_ = true;
            return traits_type::eof();
        }
    }

private:
    int fd_;
    bool failed_ = false;
    char buffer_[1 << 16];
};

// Closes the descriptor on every way out of loadSetting.
class open_file {
public:
    explicit open_file(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~open_file()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    open_file(const open_file&) = delete;
    open_file& operator=(const open_file&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

// Reading state of one settings text. Returns false from a line handler when
// the rest of the text must be ignored.
class settings_reader {
public:
    settings_reader(std::map<SettingType, spconverter::option_set*>& directory,
                    std::map<SettingType, std::string>& markers, std::map<SettingType, TiffGenType>& projection,
                    std::map<SettingType, spconverter::dimension_table>& dimensions, std::vector<std::string>& warnings,
                    int& recognised)
        : directory_(directory), markers_(markers), projection_(projection), dimensions_(dimensions),
          warnings_(warnings), recognised_(recognised)
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
                ++recognised_;
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
                read_flag(key, entry->second, field_value);
            } else if (field == "custom_colorbar") {
                read_colorbar(entry->second, field_value);
            }
        } else if (field == "dimensions" && !key.empty()) {
            dimensions_[kind_][key] = split(field_value, ',');
        }
    }

    // "1,NAME". A name that could not be a file name is refused and the
    // entry keeps its name; the flag is still taken, as in the column form.
    void read_flag(const std::string& key, optSet_t& entry, const std::string& value)
    {
        const auto comma = value.find(',');
        if (comma == std::string::npos) return;
        entry.flag = trimmed(value.substr(0, comma)) == "1";
        std::string name = trimmed(value.substr(comma + 1));
        if (is_valid_output_name(name)) {
            entry.name = std::move(name);
        } else {
            refuse(key, entry, name, "");
        }
    }

    void refuse(const std::string& key, const optSet_t& entry, const std::string& name, const char* more)
    {
        const auto marker = markers_.find(kind_);
        warnings_.push_back("Settings: output name \"" + shown(name) + "\" of \""
                            + (marker == markers_.end() ? std::string() : marker->second) + "\" key \"" + key
                            + "\" refused; kept \"" + entry.name + "\"." + more);
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
            refuse(key, entry, name, " The rest of the file is ignored.");
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
    std::vector<std::string>& warnings_;
    int& recognised_;
    SettingType kind_ = ST_NONE;
    spconverter::option_set* set_ = nullptr;
};

void spconverter::read_settings(std::istream& is)
{
    loadWarnings_.clear();
    sectionsRecognised_ = 0;
    std::streambuf* in = is.rdbuf();
    if (!in) return;
    settings_reader reader(directory_, sectionMarkers_, projection_, dimensions_, loadWarnings_, sectionsRecognised_);
    std::string line;
    bool too_long = false;
    while (next_line(*in, line, too_long)) {
        if (too_long) continue;
        if (!reader.line(line)) break;
    }
}

// Only a regular file is read: a folder or a device (/dev/zero) in its place
// would give no lines or never end; a FIFO would block the open, hence the
// look before opening as well as after.
bool spconverter::loadSetting()
{
    loadWarnings_.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(configPath_, ec)) return false;
    const open_file file(configPath_);
    struct stat status {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode)) return false;

    // A read that fails part-way must not leave half a file applied.
    const auto saved_sets = optionSets_;
    const auto saved_projection = projection_;
    const auto saved_dimensions = dimensions_;
    descriptor_buffer buffer(file.fd());
    std::istream in(&buffer);
    read_settings(in);
    if (buffer.failed()) {
        optionSets_ = saved_sets; // element-wise: the directory's pointers stay valid
        projection_ = saved_projection;
        dimensions_ = saved_dimensions;
        loadWarnings_.clear();
        return false;
    }
    return true;
}

} // namespace vardane
