#pragma once

#include <hdf5.h>

#include <cstdint>
#include <optional>
#include <string>

namespace vardane {

// Reading attribute values of untrusted files. Every reader checks the class,
// the element count and the byte size of the attribute before it reads, so an
// attribute of an odd type or length gives "no value", never an overflow.

// First element of a numeric attribute converted to float; nothing when the
// attribute is absent, not numeric, empty or unreadable.
std::optional<float> h5_float_attribute(hid_t object, const char* name);

// Same, converted to 16-bit unsigned.
std::optional<std::uint16_t> h5_uint16_attribute(hid_t object, const char* name);

// Text of a string attribute of rank 0 or 1 (its first element), stored as a
// fixed-length or a variable-length string; nothing for any other class or
// rank, or when the read fails. Fixed-length text ends at its first NUL.
std::optional<std::string> h5_string_attribute(hid_t attribute);

// Opens attribute name of object (invalid id when absent) and reads it as above.
std::optional<std::string> h5_string_attribute(hid_t object, const char* name);

} // namespace vardane
