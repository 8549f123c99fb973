#pragma once

#include <hdf5.h>

#include "reader/hdf5/hdf5_kind_traits.h"
#include "reader/product_types.h"

namespace vardane {

// Reads the corner points of a swath from the latitude/longitude datasets that
// `source` names: the first and last sample of the first and last row, each
// multiplied by the dataset's "SCALE FACTOR". corners receives the 89A (or
// only) pair, cornersB the 89B pair. False when a dataset is not a float
// array of rank 2 with extents of at least 1, or cannot be read; the points
// are then left as they were.
bool read_swath_corners(hid_t file, h5_corner_source source, earthPoint_t corners[4], earthPoint_t cornersB[4]);

} // namespace vardane
