#pragma once

#include <hdf5.h>

#include <string>

#include "reader/product_description.h"

namespace vardane {

// The kind of an HDF5 file, and why a file whose own attributes name a
// product is not that product after all: a file that claims to be one is a
// damaged product, not a stranger.
struct hdf5_kind_decision {
    productType kind = PT_UNKNOWN;
    std::string damage; // set only when the attributes named a product the datasets do not bear out
};

// Decides the product kind of an open HDF5 file from info.attributes (read
// beforehand) and the datasets present. Fills a missing "GranuleID" from a
// GPM file header and sets info.tileV / info.tileH for SGLI tiles. The kind
// is PT_UNKNOWN when nothing fits.
hdf5_kind_decision decide_hdf5_kind(hid_t file, product_description& info);

} // namespace vardane
