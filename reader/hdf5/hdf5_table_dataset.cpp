#include "reader/hdf5/hdf5_table_dataset.h"

#include "util/vdn_exception.h"

#include "reader/hdf5/h5_file_access.h"

namespace vardane {

h5_dataset open_table_dataset(hid_t file, const std::string& path, bool throwWhenMissing)
{
    if (!h5_path_exists(file, path)) {
        if (throwWhenMissing) throw vdn_exception(failure({}, "unable to open dataset " + path));
        return {};
    }
    return h5_dataset(H5Dopen2(file, path.c_str(), H5P_DEFAULT));
}

} // namespace vardane
