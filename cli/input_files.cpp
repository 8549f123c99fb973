#include "cli/input_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

input_expansion expand_inputs(const std::vector<std::string>& inputs)
{
    input_expansion result;
    for (const auto& input : inputs) {
        std::error_code ec;
        if (fs::is_directory(input, ec)) {
            std::vector<std::string> names;
            for (fs::directory_iterator it(input, ec), end; !ec && it != end; it.increment(ec)) {
                std::error_code entryError;
                if (!it->is_directory(entryError)) names.push_back(it->path().filename().string());
            }
            if (ec) {
                result.error = input;
                return result;
            }
            std::sort(names.begin(), names.end());
            for (const auto& name : names) result.files.push_back((fs::path(input) / name).string());
        } else if (fs::exists(input, ec)) {
            result.files.push_back(input);
        } else {
            result.error = input;
            return result;
        }
    }
    return result;
}
