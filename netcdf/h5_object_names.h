#pragma once

#include <hdf5.h>

#include <optional>
#include <string>
#include <vector>

namespace vardane {

// Names of the members of an HDF5 object, in the name index order the copy
// follows. Nothing when the library cannot list them.

// Links of a group.
std::optional<std::vector<std::string>> h5_link_names(hid_t group);

// Attributes of an object.
std::optional<std::vector<std::string>> h5_attribute_names(hid_t object);

} // namespace vardane
