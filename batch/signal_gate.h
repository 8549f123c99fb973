#pragma once

#include <csignal>

namespace vardane {

// SIGINT, SIGTERM and SIGHUP as readable data instead of handlers: while a
// gate is open they are blocked in the calling thread (and in the threads
// and worker processes it starts afterwards, which inherit the mask) and
// queue on a descriptor that a poll loop watches. No handler runs, so there
// is no global state, no interrupted library call, and a second signal is
// only another record, never the default action. The previous mask comes
// back when the gate closes; signals still queued then are dropped, since
// the run they asked to stop is over.
// Called first thing in main: blocks the cancel signals and gives them back
// their default action, so that one arriving before the gate opens, or in a
// program a shell started with SIGINT ignored (a background job), waits for
// the gate instead of being lost.
void hold_cancel_signals();

class signal_gate {
public:
    signal_gate();
    ~signal_gate();
    signal_gate(const signal_gate&) = delete;
    signal_gate& operator=(const signal_gate&) = delete;

    // Readable while a signal waits.
    int fd() const { return fd_; }
    // The next waiting signal, or 0 when none waits. Never blocks.
    int take();

private:
    sigset_t previous_{};
    int fd_ = -1;
};

} // namespace vardane
