#pragma once

#include <hdf5.h>

#include "reader/product_description.h"

namespace vardane {

// Decides the product kind of an open HDF5 file from info.attributes (read
// beforehand) and the datasets present. Fills a missing "GranuleID" from a
// GPM file header and sets info.tileV / info.tileH for SGLI tiles. Returns
// PT_UNKNOWN when nothing fits.
productType decide_hdf5_kind(hid_t file, product_description& info);

} // namespace vardane
