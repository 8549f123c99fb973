#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console_sink.h"
#include "cli/file_reporter.h"

namespace vardane {

class spconverter;

// Converts the files in up to options.jobs long-lived worker processes (as
// many as there are tasks, each converting with `settings`), one task at a
// time each, and shows their logs in input order between one
// start line and one "Completed.". Files with one base name make one task,
// converted by one run of the driver, which refuses the later file's outputs
// of a name the earlier one already took.
//
// A worker that dies costs its current file only: the file is a failure,
// its outputs are discarded, the worker's working folder is removed and a
// fresh worker goes on. So does a worker still in a file when the file's
// time limit runs out (a library call that hangs): it is killed and the file
// fails "timed out after N s". SIGINT, SIGTERM and SIGHUP cancel the batch
// (workers finish their cancel check and clean up); a second signal, or a
// worker silent for too long after a cancel, ends the workers with SIGKILL,
// and the file such a silent worker was stuck in is named.
// Every file that ends goes to `reporter` when there is one.
// Fills sink.tally and returns it.
run_tally run_batch(const cli_options& options, spconverter& settings, const std::vector<std::string>& files,
                    console_sink& sink, file_reporter* reporter = nullptr);

} // namespace vardane
