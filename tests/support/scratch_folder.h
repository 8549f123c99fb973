#pragma once
// A temporary folder unique to the process, removed with everything in it
// when the object goes.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace vardane {

namespace test_support {

class scratch_folder {
public:
    explicit scratch_folder(const std::string& prefix = "vardane-test")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~scratch_folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace test_support

} // namespace vardane
