#pragma once

#include <hdf5.h>

#include <map>
#include <string>

namespace vardane {

// Reads the global attributes the program uses from the root group of file
// into attributes. Every key is present afterwards, with "" when the file
// lacks the attribute or it is not readable text. Each attribute found is
// announced on the standard error stream as property='KEY'.
void read_global_attributes(hid_t file, std::map<std::string, std::string>& attributes);

// Three-letter code of a "GeophysicalName" value; "" for any other value.
std::string geophysical_code(const std::string& geophysicalName);

} // namespace vardane
