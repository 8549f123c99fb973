#pragma once

#include <atomic>

// SIGINT and SIGTERM set this flag (a lock-free atomic, safe to write from a
// signal handler); a second SIGINT ends the process as usual.
void route_cancel_signals(std::atomic<bool>* flag);
