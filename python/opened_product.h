#pragma once

#include <memory>
#include <string>

#include "reader/spinfo.h"

namespace vardane {

// A product file recognised by the readers, as the batch recognises it. A
// file that is no product, or a product that cannot be read, throws
// pybind11::value_error naming the file and the cause.
std::unique_ptr<spinfo> open_product(const std::string& path);

} // namespace vardane
