#pragma once

#include <memory>
#include <span>

#include "reader/product_reader.h"

namespace vardane {

// One product family: its name (for tests and messages) and how to make a
// fresh reader of it.
struct reader_family {
    const char* name;
    std::unique_ptr<product_reader> (*make)();
};

// Every family, in the order a file is offered to them: the HDF5 signature,
// the HDF4 signature, a "gsmap_" file name, and last the JASMES flat-binary
// formats, which have no mark of their own and so take what is left.
std::span<const reader_family> reader_families();

} // namespace vardane
