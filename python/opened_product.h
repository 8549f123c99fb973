#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "reader/spinfo.h"

namespace vardane {

// A product file recognised by the readers, as the batch recognises it. A
// file that is no product, or a product that cannot be read, throws
// pybind11::value_error naming the file and the cause.
std::unique_ptr<spinfo> open_product(const std::string& path);

// Not every library under the readers may be used by two threads at once
// (HDF4's may not), and the interpreter's threads read at once when the GIL
// is released: every recognition and read of the module holds this lock.
// Take it with the GIL released, so that a thread waiting for it does not
// stop the others.
std::unique_lock<std::mutex> lock_readers();

} // namespace vardane
