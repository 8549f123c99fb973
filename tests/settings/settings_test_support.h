#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "settings/spconverter.h"
#include "support/scratch_folder.h"

namespace vardane {

using temp_folder = test_support::scratch_folder;

inline std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string settings_text(const spconverter& converter)
{
    std::ostringstream os;
    converter.write_settings(os);
    return os.str();
}

// The lines from the marker line up to (not including) the next marker line.
inline std::string section_of(const std::string& text, const std::string& marker)
{
    const std::string head = marker + "\n";
    std::size_t start = 0;
    if (text.compare(0, head.size(), head) != 0) {
        const std::size_t at = text.find("\n" + head);
        if (at == std::string::npos) return {};
        start = at + 1;
    }
    const std::size_t end = text.find("\n#", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

// Settings text read the way loadSetting reads a file.
inline void load_text(spconverter& converter, const std::string& text)
{
    std::istringstream in(text);
    converter.read_settings(in);
}

inline optSet_t entry_of(const spconverter& cvt, SettingType kind, const std::string& key)
{
    optSet_t entry;
    EXPECT_TRUE(cvt.get_OptSetting(kind, key, entry)) << kind << " " << key;
    return entry;
}

// An entry as one text, all but the index (which no setter writes):
// flag,name | custom_colorbar,min,max,log,invalid values.
inline std::string entry_text(const optSet_t& e)
{
    std::ostringstream os;
    os << e.flag << "," << e.name << " | " << e.custom_colorbar << "," << e.cb_min << "," << e.cb_max << "," << e.cb_log
       << "," << e.invalid_values;
    return os.str();
}

inline std::string entry_text(const spconverter& cvt, SettingType kind, const std::string& key)
{
    return entry_text(entry_of(cvt, kind, key));
}

inline TiffGenType projection_of(const spconverter& cvt, SettingType kind)
{
    TiffGenType gen = static_cast<TiffGenType>(-1);
    EXPECT_TRUE(cvt.get_ProjectionSetting(kind, gen));
    return gen;
}

} // namespace vardane
