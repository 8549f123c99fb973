#include "cli/input_repeats.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace vardane {

namespace fs = std::filesystem;

namespace {

// The file a path stands for: links and "." / ".." resolved as far as the
// path exists, the rest taken lexically.
std::string real_path(const std::string& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    const fs::path real = fs::weakly_canonical(absolute, ec);
    return (ec ? absolute.lexically_normal() : real).string();
}

} // namespace

std::vector<input_repeat> drop_repeats(std::vector<std::string>& paths)
{
    std::vector<input_repeat> repeats;
    std::map<std::string, std::size_t> firstOf; // real path -> index in `kept`
    std::vector<std::string> kept;
    for (auto& path : paths) {
        const auto [it, fresh] = firstOf.try_emplace(real_path(path), kept.size());
        if (fresh) {
            kept.push_back(std::move(path));
        } else {
            repeats.push_back({std::move(path), kept[it->second]});
        }
    }
    paths = std::move(kept);
    return repeats;
}

} // namespace vardane
