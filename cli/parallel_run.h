#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console_sink.h"

// Converts up to options.jobs files at once, each in a child process of
// this program with its own working folder; files with one base name go to
// the same child, so that their outputs cannot overwrite each other. The
// children's logs are shown in input order (of each child's first file),
// between one start line and one "Completed.", as a single run would show
// them. Fills sink.tally and returns it.
run_tally run_in_parallel(const cli_options& options, const std::vector<std::string>& files, console_sink& sink);
