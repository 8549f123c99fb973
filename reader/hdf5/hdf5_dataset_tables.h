#pragma once

#include <string_view>
#include <vector>

#include "reader/product_types.h"

namespace vardane {

// The dataset table of a product kind (4 to 32): the datasets a file of the
// kind must hold, in their fixed order; the position of an entry is the
// parameter index the rest of the program uses. nullptr for any other kind.
const std::vector<hdfParam_t>* hdf5_table_of(productType kind);

// True when a table dataset holds codes rather than measurements: the
// products name their bit-flag and class datasets "..._flag" (QA_flag,
// Land_water_flag, Cloud_flag), and every other dataset of the tables is a
// count, a radiance or a geophysical quantity.
bool holds_codes(std::string_view datasetPath);

} // namespace vardane
