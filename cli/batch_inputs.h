#pragma once

#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "cli/input_files.h"

namespace vardane {

// The files of this run: the inputs named on the command line and in the
// --files-from list, folders expanded, cut down to the --shard asked for.
// Missing inputs are sharded like the others, so that each is reported by
// exactly one task. Nothing when the list cannot be read.
std::optional<input_expansion> batch_inputs(const cli_options& options);

} // namespace vardane
