#pragma once

#include <string>
#include <vector>

#include "batch/batch_cancel.h"
#include "batch/batch_options.h"
#include "batch/batch_reporter.h"
#include "batch/batch_sink.h"
#include "batch/worker_process.h"

namespace vardane {

// Converts the files in up to options.jobs long-lived worker processes (as
// many as there are tasks, each started by `launcher`), one task at a time
// each, and shows their logs in input order between one start line and one
// "Completed.". Files with one base name make one task, converted by one
// run of the driver, which refuses the later file's outputs of a name the
// earlier one already took.
//
// A worker that dies costs its current file only: the file is a failure,
// its outputs are discarded, the worker's working folder is removed and a
// fresh worker goes on. So does a worker still in a file when the file's
// time limit runs out (a library call that hangs): it is killed and the file
// fails "timed out after N s". A request on `cancel`, or with
// options.cancelOnSignals SIGINT, SIGTERM and SIGHUP, cancels the batch
// (workers finish their cancel check and clean up; the outputs of the files
// they were in are discarded); a second signal, or a worker silent for too
// long after a cancel, ends the workers with SIGKILL, and the file such a
// silent worker was stuck in is named.
// Every file that ends goes to `reporter` when there is one.
// Fills sink.tally and sink.filesBegun and returns the tally.
run_tally run_batch(const batch_options& options, const worker_launcher& launcher,
                    const std::vector<std::string>& files, batch_sink& sink, batch_reporter* reporter = nullptr,
                    const batch_cancel* cancel = nullptr);

} // namespace vardane
