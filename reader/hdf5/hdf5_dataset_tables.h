#pragma once

#include <vector>

#include "reader/spinfo.h"

namespace vardane {

// Rebuilds the 23 dataset tables of info in their fixed order. The position of
// an entry is the parameter index the rest of the program uses.
void build_hdf5_tables(spinfo& info);

// The table of a product kind (4 to 32); nullptr for any other kind.
const std::vector<hdfParam_t>* hdf5_table_of(const spinfo& info, productType kind);

} // namespace vardane
