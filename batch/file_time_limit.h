#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "batch/batch_options.h"

namespace vardane {

// How long a worker may spend on one input file before it counts as hung (a
// library call that never returns) and is killed: options.fileTimeout when
// given (0: no limit), else a default from the file's size, the output
// kinds asked and the pace. Nothing when there is no limit.
std::optional<std::chrono::seconds> file_time_limit(const batch_options& options, const std::string& path);

} // namespace vardane
