#pragma once

#include <hdf5.h>

#include <string>

#include "reader/hdf5/h5_handles.h"

namespace vardane {

// Opens a dataset of a product table. A missing SGLI dataset throws
// vdn_exception ("unable to open dataset ..."): the file is then a failed
// product, not a stranger. For the other families a missing or unopenable
// dataset is an invalid handle.
h5_dataset open_table_dataset(hid_t file, const std::string& path, bool throwWhenMissing);

} // namespace vardane
