#include "cli/input_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vardane {

namespace fs = std::filesystem;

namespace {

// The names directly inside a folder, sorted; false when it cannot be listed.
bool folder_files(const std::string& folder, std::vector<std::string>& names)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (!it->is_directory(entryError)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return !ec;
}

} // namespace

input_expansion expand_inputs(const std::vector<std::string>& inputs)
{
    input_expansion result;
    for (const auto& input : inputs) {
        std::error_code ec;
        std::vector<std::string> names;
        if (!fs::is_directory(input, ec)) {
            if (fs::exists(input, ec)) {
                result.files.push_back(input);
            } else {
                result.missing.push_back(input);
            }
        } else if (folder_files(input, names)) {
            for (const auto& name : names) {
                // A link whose target is gone is a missing input, not a
                // file that turned out to be no product.
                const std::string path = (fs::path(input) / name).string();
                (fs::exists(path, ec) ? result.files : result.missing).push_back(path);
            }
        } else {
            result.missing.push_back(input);
        }
    }
    return result;
}

} // namespace vardane
