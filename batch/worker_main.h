#pragma once

#include <sys/types.h>

#include "batch/batch_options.h"

namespace vardane {

class spconverter;

// Working folders of workers are named after their process.
inline constexpr char kWorkFolderPrefix[] = ".vardane-work-";

// The worker process of a batch: takes tasks (the files of one
// task on one line) from standard input until it ends or a cancel signal
// comes, converts each task with one run of the driver in a private working
// folder inside options.output, and reports on the channel descriptor
// (kChannelFd); ends with its parent, `parent`. Returns the exit status.
int run_worker(const batch_options& options, spconverter& settings, pid_t parent);

} // namespace vardane
