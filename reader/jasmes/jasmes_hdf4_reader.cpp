#include "reader/spinfo.h"

// JASMES HDF4 family: not read yet.
void spinfo::init_jasmes_hdf4(const std::string& filename, std::uintmax_t)
{
    kind = PT_UNKNOWN;
    nCount = 0;
    fileName = filename;
}

bool spinfo::read_jasmes_hdf4(std::uint32_t, std::int32_t& dtype)
{
    dtype = DT_NONE;
    return false;
}
