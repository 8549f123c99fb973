#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/input_files.h"
#include "cli/input_repeats.h"

namespace vardane {

struct batch_input_set {
    input_expansion inputs;            // this run's files and missing inputs
    std::vector<input_repeat> repeats; // of this run's inputs: noted, not converted again
    bool wholeBatchEmpty = false;      // no shard has any input
};

// The files of this run: the inputs named on the command line and in the
// --files-from list, folders expanded, each file once (see drop_repeats),
// cut down to the --shard asked for. Repeats are dropped before the cut, so
// that split and unsplit runs convert the same files; missing inputs are
// sharded like the others, so that each is reported by exactly one task.
// Nothing when the list cannot be read.
std::optional<batch_input_set> batch_inputs(const cli_options& options);

} // namespace vardane
