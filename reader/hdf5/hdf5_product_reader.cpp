#include "reader/spinfo.h"

// HDF5 family: not read yet; every file is reported as no product.
void spinfo::init_hdf5(const std::string& filename, std::uintmax_t)
{
    kind = PT_UNKNOWN;
    nCount = 0;
    fileName = filename;
}

bool spinfo::read_hdf5(std::uint32_t, std::int32_t& dtype)
{
    dtype = DT_NONE;
    return false;
}
