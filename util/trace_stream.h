#pragma once

#include <ostream>

namespace vardane {

// Where the readers announce what they are about to read (the attribute
// names of a product's root group). The standard error stream by default: a
// batch worker's standard error is silenced unless the run is verbose, and
// a crash inside a library is then preceded by the name it choked on. A
// program that reads products in its own process with a standard error the
// user reads for other things (the Python module) turns it off once, at
// start, before any reading thread exists.
std::ostream& trace_stream();

// Sends the announcements to standard error (true) or nowhere (false). The
// swath geolocation's warnings on standard output follow the same switch.
void set_trace_enabled(bool enabled);
bool trace_enabled();

} // namespace vardane
