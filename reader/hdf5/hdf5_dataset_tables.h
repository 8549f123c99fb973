#pragma once

#include <vector>

#include "reader/product_types.h"

namespace vardane {

// The dataset table of a product kind (4 to 32): the datasets a file of the
// kind must hold, in their fixed order; the position of an entry is the
// parameter index the rest of the program uses. nullptr for any other kind.
const std::vector<hdfParam_t>* hdf5_table_of(productType kind);

} // namespace vardane
