#include "reader/hdf5/h5_attribute_values.h"

#include <algorithm>
#include <vector>

#include "reader/hdf5/h5_handles.h"

namespace vardane {

namespace {

// No attribute the reader uses is longer; anything beyond is treated as hostile.
constexpr hsize_t kMaxAttributeBytes = 1u << 20;
constexpr hsize_t kMaxAttributeElements = 1u << 16;

h5_attribute open_attribute(hid_t object, const char* name)
{
    if (object < 0 || H5Aexists(object, name) <= 0) return {};
    return h5_attribute(H5Aopen(object, name, H5P_DEFAULT));
}

// Number of elements of a simple or scalar data space of rank 0 or 1.
std::optional<hsize_t> element_count_rank01(hid_t space)
{
    const int rank = H5Sget_simple_extent_ndims(space);
    if (rank < 0 || rank > 1) return std::nullopt;
    const hssize_t n = H5Sget_simple_extent_npoints(space);
    if (n < 1 || static_cast<hsize_t>(n) > kMaxAttributeElements) return std::nullopt;
    return static_cast<hsize_t>(n);
}

template <class T>
std::optional<T> numeric_attribute(hid_t object, const char* name, hid_t memType)
{
    const h5_attribute attr = open_attribute(object, name);
    if (!attr) return std::nullopt;
    const h5_type type(H5Aget_type(attr.get()));
    if (!type) return std::nullopt;
    const H5T_class_t cls = H5Tget_class(type.get());
    if (cls != H5T_INTEGER && cls != H5T_FLOAT) return std::nullopt;
    const h5_space space(H5Aget_space(attr.get()));
    if (!space) return std::nullopt;
    const hssize_t n = H5Sget_simple_extent_npoints(space.get());
    if (n < 1 || static_cast<hsize_t>(n) > kMaxAttributeElements) return std::nullopt;
    std::vector<T> values(static_cast<std::size_t>(n));
    if (H5Aread(attr.get(), memType, values.data()) < 0) return std::nullopt;
    return values.front();
}

std::optional<std::string> fixed_string(hid_t attr, hid_t type, hsize_t elements)
{
    const std::size_t size = H5Tget_size(type);
    if (size == 0 || size > kMaxAttributeBytes / elements) return std::nullopt;
    // The text is stored as it is read: an attribute claiming more bytes
    // than it occupies in the file is damaged, and nothing is allocated.
    if (size * elements > H5Aget_storage_size(attr)) return std::nullopt;
    std::vector<char> buffer(size * elements + 1, '\0');
    if (H5Aread(attr, type, buffer.data()) < 0) return std::nullopt;
    const auto firstEnd = buffer.begin() + static_cast<std::ptrdiff_t>(size);
    std::string text(buffer.begin(), std::find(buffer.begin(), firstEnd, '\0'));
    // Fortran writers pad with blanks instead of ending the text.
    if (H5Tget_strpad(type) == H5T_STR_SPACEPAD) text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The length of a variable-length string is a 4-byte claim of the file that
// HDF5 reads and allocates for (twice) inside H5Aread, before anything here
// can see it: a damaged one claiming 4 GB is bounded by the memory limit of
// the worker, under which the read fails and the attribute has no value.
// The memory type takes the stored character set (UTF-8 is what h5py and
// netCDF-4 write): the text is the same bytes to the program either way, and
// no conversion between character sets is asked of the library.
std::optional<std::string> variable_string(hid_t attr, hid_t type, hid_t space, hsize_t elements)
{
    const H5T_cset_t cset = H5Tget_cset(type);
    if (cset < 0) return std::nullopt;
    const h5_type memType(H5Tcopy(H5T_C_S1));
    if (!memType || H5Tset_size(memType.get(), H5T_VARIABLE) < 0 || H5Tset_cset(memType.get(), cset) < 0)
        return std::nullopt;
    std::vector<char*> pointers(static_cast<std::size_t>(elements), nullptr);
    if (H5Aread(attr, memType.get(), pointers.data()) < 0) return std::nullopt;
    std::string text = pointers.front() ? std::string(pointers.front()) : std::string();
    H5Dvlen_reclaim(memType.get(), space, H5P_DEFAULT, pointers.data());
    return text;
}

} // namespace

std::optional<float> h5_float_attribute(hid_t object, const char* name)
{
    return numeric_attribute<float>(object, name, H5T_NATIVE_FLOAT);
}

std::optional<std::uint16_t> h5_uint16_attribute(hid_t object, const char* name)
{
    return numeric_attribute<std::uint16_t>(object, name, H5T_NATIVE_USHORT);
}

std::optional<std::string> h5_string_attribute(hid_t attribute)
{
    const h5_type type(H5Aget_type(attribute));
    const h5_space space(H5Aget_space(attribute));
    if (!type || !space || H5Tget_class(type.get()) != H5T_STRING) return std::nullopt;
    const auto elements = element_count_rank01(space.get());
    if (!elements) return std::nullopt;
    const htri_t isVariable = H5Tis_variable_str(type.get());
    if (isVariable < 0) return std::nullopt;
    return isVariable ? variable_string(attribute, type.get(), space.get(), *elements)
                      : fixed_string(attribute, type.get(), *elements);
}

std::optional<std::string> h5_string_attribute(hid_t object, const char* name)
{
    const h5_attribute attr = open_attribute(object, name);
    if (!attr) return std::nullopt;
    return h5_string_attribute(attr.get());
}

} // namespace vardane
