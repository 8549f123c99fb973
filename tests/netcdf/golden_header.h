#pragma once
// `ncdump -h` of a file, compared with a golden header of tests/netcdf/golden.

#include <string>

namespace nc_test {

// The header without its first line (which names the file).
std::string ncdump_header(const std::string& ncPath);

// The golden header NAME.cdl, without its first line; "" when missing.
std::string golden_header(const std::string& name);

} // namespace nc_test
