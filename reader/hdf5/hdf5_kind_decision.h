#pragma once

#include <hdf5.h>

#include "reader/spinfo.h"

namespace vardane {

// Decides the product kind of an open HDF5 file from info.attributes (read
// beforehand) and the datasets present; the dataset tables of info must be
// built. Fills a missing "GranuleID" from a GPM file header and sets
// info.tileH / info.tileV for SGLI tiles. Returns PT_UNKNOWN when nothing fits.
productType decide_hdf5_kind(hid_t file, spinfo& info);

} // namespace vardane
