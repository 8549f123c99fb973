#pragma once
// Every kind of synthetic HDF5 product, with what a run shows for it: the
// product type spinfo recognises and the line the log announces it with.
// The one table the HDF5 sweeps (reader, command line, end to end) share, so
// that a kind added to the generator is added to every sweep at once.

#include <string>
#include <vector>

#include "reader/product_types.h"
#include "support/synthetic_file.h"

namespace vardane {

namespace test_support {

struct hdf5_kind {
    const char* name;        // vardane-synth kind
    synth_variants variants; // the geophysical products need a variable named
    productType type;
    const char* line; // "It is GCOM-W/L1B Product."
};

// In the generator's registration order.
const std::vector<hdf5_kind>& hdf5_kinds();

// Radiometer swaths give plain TIFFs and a position file under TIFF+TEXT.
inline bool is_radiometer_swath(productType t) { return is_swath_kind(t) && !is_gcomc_kind(t); }

} // namespace test_support

} // namespace vardane
