#pragma once

#include <hdf5.h>

#include <map>
#include <string>
#include <vector>

namespace vardane {

// Reads the global attributes the program uses from the root group of file
// into attributes. Every key is present afterwards, with "" when the file
// lacks the attribute or it is not readable text; the keys the file has but
// that are not readable text are listed in unreadable. Each attribute found
// is announced on the trace stream (standard error unless the program
// turned it off) as property='KEY'.
void read_global_attributes(hid_t file, std::map<std::string, std::string>& attributes,
                            std::vector<std::string>& unreadable);

// Three-letter code of a "GeophysicalName" value; "" for any other value.
std::string geophysical_code(const std::string& geophysicalName);

} // namespace vardane
