#pragma once

#include <string>

namespace vardane {

// Product family code of a JASMES HDF4 file from the first three characters
// of its area text; "" when the text is shorter.
std::string jasmes_hdf4_type(const std::string& granule);

} // namespace vardane
