#pragma once

#include <chrono>
#include <string>

#include "batch/child_channel.h"
#include "batch/lost_file.h"
#include "driver/run_tally.h"

namespace vardane {

// Where a batch of worker processes reports, on the thread that runs it:
// the log lines of its frame, the workers' records in input order, the
// files the workers did not finish, and the progress. Each front end shows
// them in its own way.
class batch_sink {
public:
    virtual ~batch_sink() = default;

    // The batch's first line.
    virtual void printNewLog(const std::string& text) = 0;
    // A line of the batch's own (its "Completed.", a cancel line).
    virtual void printLog(const std::string& text) = 0;
    // One record of a worker: a log line or an event; counted in `tally`.
    virtual void relay(const child_record& record) = 0;
    // A worker died in a file or was killed for taking too long: the file
    // is a failure; counted in `tally`.
    virtual void lost(const lost_file& file) = 0;
    // After a cancel, a worker that stayed silent in `path` for `grace`
    // (stuck in a library call) was killed.
    virtual void killed_after_cancel(const std::string& path, std::chrono::seconds grace) = 0;
    // An output relayed earlier was removed again: the file that made it
    // was not finished (its worker died, or a cancel cut it off). `tally`
    // has already taken it back.
    virtual void discarded(const std::string& /*path*/) {}
    // Files finished of files to do, and the file shown next ("" at the end).
    virtual void progress(int done, int total, const std::string& current) = 0;
    // The last line logged: the message of a run that ended early.
    virtual const std::string& last_line() const = 0;
    // A run of the batch ended early with `line`; a sink that shows only
    // some lines may want to show it.
    virtual void show_if_quiet(const std::string& /*line*/) {}

    // What the batch's events said; the batch sets its files, completion
    // and cancel at the end.
    run_tally tally;
    // Files a worker began (or died before beginning): after a cancel,
    // fewer than the files asked for.
    int filesBegun = 0;
};

} // namespace vardane
