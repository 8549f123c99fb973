#pragma once

#include <atomic>

// SIGINT and SIGTERM set these flags (lock-free atomics, safe to write from
// a signal handler); a second signal ends the process as usual. The second
// flag keeps a request that the first may lose (a run start clears it).
void route_cancel_signals(std::atomic<bool>* flag, std::atomic<bool>* keep = nullptr);
