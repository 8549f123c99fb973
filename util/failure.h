#pragma once

#include <string>
#include <utility>

namespace vardane {

// Why something asked for was not made. Every failure travels as one of
// these from where a library or the system refused, through the object that
// called it, to the run driver, which turns it into the log line, the
// report's cause and the window's row:
//
// - a component whose operation answers true/false keeps the failure of its
//   last operation (`last_failure()`), filled where the refusal happened;
// - a condition deep inside a component that its caller cannot go on from is
//   thrown as vdn_exception, which carries a failure too;
// - the driver catches every exception, of any type, around one input file
//   and records it as a failure of that file: no exception ends the run.
struct failure {
    // The file the failure concerns, as a full path: the input being read or
    // the output being made. Empty when no single file is concerned.
    std::string file;
    // The cause in the words of the library or system that refused ("No
    // space left on device", "HDF5 file cannot be opened: ..."). Empty when
    // nothing failed.
    std::string cause;

    failure() = default;
    failure(std::string file_, std::string cause_) : file(std::move(file_)), cause(std::move(cause_)) {}

    bool failed() const { return !cause.empty(); }
    void clear()
    {
        file.clear();
        cause.clear();
    }
};

} // namespace vardane
