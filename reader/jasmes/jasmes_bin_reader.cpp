#include "reader/spinfo.h"

void clear_JasmeHeader(JasmesHeader_t& header) { header = JasmesHeader_t{}; }

// JASMES flat-binary family: not read yet.
void spinfo::init_jasmes_bin(const std::string& filename, std::uintmax_t)
{
    kind = PT_UNKNOWN;
    nCount = 0;
    fileName = filename;
}

bool spinfo::read_jasmes_bin(std::uint32_t, std::int32_t& dtype)
{
    dtype = DT_NONE;
    return false;
}
