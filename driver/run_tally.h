#pragma once

#include <string>

#include "driver/run_event.h"

namespace vardane {

// What a run's events say about it; the same counting serves a run in this
// process, the events relayed from a worker process and the window's
// summary of its last run.
struct run_tally {
    int files = 0;
    int products = 0;
    int notProducts = 0;
    int outputs = 0;
    int failures = 0;
    bool cancelled = false;
    bool completed = true; // every run ended with its "Completed." line
    int signal = 0;        // the signal that cancelled the run, if one did

    void count(const run_event& event);
    // 0 all products converted; 128 + the signal after a cancel by signal,
    // as a shell reports a process the signal ended; 1 otherwise.
    int exit_status() const;
    std::string summary() const;
};

} // namespace vardane
