#pragma once

#include <sys/types.h>

#include "cli/cli_options.h"

namespace vardane {

class spconverter;

// Working folders of command-line runs are named after their process.
inline constexpr char kWorkFolderPrefix[] = ".vardane-work-";
// The descriptor on which a worker writes its records.
inline constexpr int kChannelFd = 3;

// The worker process of a command-line run: takes tasks (the files of one
// task on one line) from standard input until it ends or a cancel signal
// comes, converts each task with one run of the driver in a private working
// folder, and reports on the channel descriptor; ends with its parent,
// `parent`, taken before the fork. Returns the exit status.
int run_worker(const cli_options& options, spconverter& settings, pid_t parent);

} // namespace vardane
