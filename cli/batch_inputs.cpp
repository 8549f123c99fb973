#include "cli/batch_inputs.h"

#include <algorithm>
#include <set>

#include "cli/input_list.h"
#include "cli/input_shard.h"

namespace vardane {

std::optional<input_expansion> batch_inputs(const cli_options& options)
{
    std::vector<std::string> named = options.inputs;
    if (!options.filesFrom.empty()) {
        const auto listed = load_input_list(options.filesFrom);
        if (!listed) return std::nullopt;
        named.insert(named.end(), listed->begin(), listed->end());
    }
    input_expansion inputs = expand_inputs(named);
    if (options.shardCount == 1) return inputs;

    const std::set<std::string> missing(inputs.missing.begin(), inputs.missing.end());
    std::vector<std::string> all = std::move(inputs.files);
    all.insert(all.end(), missing.begin(), missing.end());
    input_expansion shard;
    for (auto& path : shard_of(std::move(all), options.shardIndex, options.shardCount)) {
        (missing.contains(path) ? shard.missing : shard.files).push_back(std::move(path));
    }
    return shard;
}

} // namespace vardane
