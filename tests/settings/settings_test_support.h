#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "settings/spconverter.h"

// A folder of its own for one test, removed with everything in it.
class temp_folder {
public:
    temp_folder()
    {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("vardane-settings-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~temp_folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
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
