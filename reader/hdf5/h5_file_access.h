#pragma once

#include <hdf5.h>

#include <string>

#include "reader/hdf5/h5_handles.h"
#include "reader/product_types.h"

namespace vardane {

// Turns off the HDF5 library's automatic printing of its error stack; the
// reader reports failures through its own results.
void h5_silence_errors();

// Opens a file read-only with the default property lists; invalid on failure.
h5_file h5_open_readonly(const std::string& path);

// Clears this thread's HDF5 error stack when it goes. A failed call leaves
// records there that hold library identifiers; a thread that ends with them
// makes the library's own close at exit loop ("infinite loop closing
// library").
struct h5_error_stack_guard {
    h5_error_stack_guard() = default;
    h5_error_stack_guard(const h5_error_stack_guard&) = delete;
    h5_error_stack_guard& operator=(const h5_error_stack_guard&) = delete;
    ~h5_error_stack_guard() { H5Eclear2(H5E_DEFAULT); }
};

// The innermost message of the library's error stack of this thread (for
// example "truncated file: eof = ..."); "" when the stack is empty.
std::string h5_error_text();

// True when every component of path leads to an existing object below loc.
// Paths may or may not start with "/"; a missing intermediate group is simply
// "not found".
bool h5_path_exists(hid_t loc, const std::string& path);

// The native HDF5 type of a table sample code.
hid_t h5_native_type(h5_sample sample);

// True when the stored type equals the native type of sample (class, size,
// byte order and sign).
bool h5_type_is(hid_t type, h5_sample sample);

} // namespace vardane
