#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "cli/cli_options.h"

namespace vardane {

// How long a worker may spend on one input file before it counts as hung (a
// library call that never returns) and is killed: --file-timeout when given
// (0: no limit), else a default from the file's size, the output kinds asked
// and the pace. Nothing when there is no limit.
std::optional<std::chrono::seconds> file_time_limit(const cli_options& options, const std::string& path);

} // namespace vardane
