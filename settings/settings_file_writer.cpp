#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <ostream>

#include "settings/config_location.h"
#include "settings/settings_sections.h"
#include "settings/spconverter.h"
#include "util/number_text.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

const char* bit(bool value) { return value ? "1" : "0"; }

// A line break or tab inside a free text would split its line or turn it
// into another line form on reading; such bytes are written as blanks.
std::string one_line(std::string text)
{
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    }
    return text;
}

} // namespace

void spconverter::write_settings(std::ostream& os) const
{
    for (const SettingType kind : settings_section_order) {
        os << get_section_marker(kind) << '\n';
        if (const option_set* set = find_set(kind)) {
            for (const auto& [key, entry] : *set) {
                os << '\t' << key << ": flag=" << bit(entry.flag) << ',' << one_line(entry.name) << '\n';
                os << '\t' << key << ": custom_colorbar=" << bit(entry.custom_colorbar) << ','
                   << format_general(entry.cb_min, 6) << ',' << format_general(entry.cb_max, 6) << ','
                   << bit(entry.cb_log) << ',' << one_line(entry.invalid_values) << '\n';
            }
        }
        if (has_projection_choice(kind)) {
            if (const auto it = projection_.find(kind); it != projection_.end()) {
                os << "\tProjection: " << static_cast<int>(it->second) << '\n';
            }
        }
        if (const auto it = dimensions_.find(kind); it != dimensions_.end()) {
            for (const auto& [dataset, names] : it->second) {
                os << '\t' << dataset << ": dimensions=" << join(names, ",") << '\n';
            }
        }
    }
}

// The text goes to a temporary file beside the settings file first and then
// replaces it in one rename, so an interrupted save never leaves a cut file.
bool spconverter::saveSetting() const
{
    if (configPath_.empty() || !create_parent_folder(configPath_)) return false;
    const std::string temporary = configPath_ + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        write_settings(out);
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), configPath_.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace vardane
