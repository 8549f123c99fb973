#include "cli/batch_inputs.h"

#include <set>

#include "cli/input_list.h"
#include "cli/input_shard.h"

namespace vardane {

std::optional<batch_input_set> batch_inputs(const cli_options& options)
{
    std::vector<std::string> named = options.inputs;
    if (!options.filesFrom.empty()) {
        const auto listed = load_input_list(options.filesFrom);
        if (!listed) return std::nullopt;
        named.insert(named.end(), listed->begin(), listed->end());
    }
    batch_input_set set;
    set.inputs = expand_inputs(named);
    set.repeats = drop_repeats(set.inputs.files);
    for (auto& repeat : drop_repeats(set.inputs.missing)) set.repeats.push_back(std::move(repeat));
    set.wholeBatchEmpty = set.inputs.files.empty() && set.inputs.missing.empty();
    if (options.shardCount == 1) return set;

    const std::set<std::string> missing(set.inputs.missing.begin(), set.inputs.missing.end());
    std::vector<std::string> all = std::move(set.inputs.files);
    all.insert(all.end(), missing.begin(), missing.end());
    input_expansion shard;
    for (auto& path : shard_of(std::move(all), options.shardIndex, options.shardCount)) {
        (missing.contains(path) ? shard.missing : shard.files).push_back(std::move(path));
    }
    // The task that has a file notes its repeats.
    std::set<std::string> here(shard.files.begin(), shard.files.end());
    here.insert(shard.missing.begin(), shard.missing.end());
    std::erase_if(set.repeats, [&here](const input_repeat& repeat) { return !here.contains(repeat.first); });
    set.inputs = std::move(shard);
    return set;
}

} // namespace vardane
