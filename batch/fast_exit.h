#pragma once

namespace vardane {

// Ends the process at once with `status`, without the exit handlers of the
// libraries it links: the command line's parent, whose libraries never set
// up what their handlers tear down, and a worker, whose inherited handlers
// and buffered output are its parent's. A sanitizer build runs the leak
// check first, which would otherwise be one of the skipped handlers; a leak
// then ends the process with the sanitizer's status instead.
[[noreturn]] void fast_exit(int status);

// In a worker whose standard error goes nowhere: sanitizer reports still go
// to the standard error it was started with (unless the sanitizer options
// send them to files). Does nothing in other builds.
void keep_sanitizer_reports_on_standard_error();

} // namespace vardane
