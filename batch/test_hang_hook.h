#pragma once

#include <string>

namespace vardane {

// A test hook, compiled in but inert unless asked: when the environment
// variable VARDANE_TEST_SPIN_ON holds the file name of `path` (several names
// are separated by '/', which no file name holds), this call never returns.
// A worker makes it on its run's thread right after it announced an output
// of a file, so the file hangs with an output already made, as in a library
// call that never returns (HDF5 spinning on a broken global heap), out of
// reach of every cancel check. The tests of the time limit, the cancel and
// the orphaned worker set it; nothing else does.
void hang_if_asked(const std::string& path);

} // namespace vardane
