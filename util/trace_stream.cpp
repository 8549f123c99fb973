#include "util/trace_stream.h"

#include <atomic>
#include <iostream>

namespace vardane {

namespace {

// A stream without a buffer: every write fails quietly and nothing is kept.
std::ostream& null_stream()
{
    static std::ostream none(nullptr);
    return none;
}

std::atomic<bool>& enabled()
{
    static std::atomic<bool> on{true};
    return on;
}

} // namespace

std::ostream& trace_stream() { return trace_enabled() ? std::cerr : null_stream(); }

bool trace_enabled() { return enabled().load(std::memory_order_relaxed); }

void set_trace_enabled(bool on) { enabled().store(on, std::memory_order_relaxed); }

} // namespace vardane
