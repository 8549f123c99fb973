#pragma once

#include <hdf5.h>

#include <string>

#include "reader/hdf5/h5_handles.h"

namespace vardane {

// Opens a dataset of a product table. A missing SGLI dataset raises the HDF5
// library's exception (H5::DataSetIException), which the run driver reports
// and which ends the run, as with any unreadable product layout the library
// itself refuses; for the other families a missing or unopenable dataset is
// an invalid handle.
h5_dataset open_table_dataset(hid_t file, const std::string& path, bool throwWhenMissing);

} // namespace vardane
