#include "cli/input_shard.h"
#include "util/string_utils.h"

#include <algorithm>
#include <filesystem>

namespace vardane {

namespace {

std::string stem_of(const std::string& path) { return input_base_name(path); }

} // namespace

std::vector<std::string> shard_of(std::vector<std::string> inputs, int index, int count)
{
    std::vector<std::pair<std::string, std::string>> keyed; // (base name, path)
    keyed.reserve(inputs.size());
    for (auto& path : inputs) keyed.emplace_back(stem_of(path), std::move(path));
    std::sort(keyed.begin(), keyed.end());
    keyed.erase(std::unique(keyed.begin(), keyed.end()), keyed.end());

    std::vector<std::string> shard;
    long group = -1;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        if (i == 0 || keyed[i].first != keyed[i - 1].first) ++group;
        if (group % count == index) shard.push_back(std::move(keyed[i].second));
    }
    return shard;
}

} // namespace vardane
