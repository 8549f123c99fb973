#pragma once
// Small helpers that write the pieces every synthetic HDF5 product is made of:
// datasets of a native type at a path (intermediate groups created on the way),
// numeric attributes and the two layouts of string attributes.

#include <H5Cpp.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vardane {

namespace synth_h5 {

// How a text attribute is stored: a one-element, one-dimensional
// variable-length string, a scalar fixed-length string, or a one-element,
// one-dimensional fixed-length string (length = text + NUL), all ASCII; or
// in UTF-8, as files re-packed by h5py (a scalar variable-length string) or
// netCDF-4 tools (a one-element fixed-length string) have them.
enum class string_layout { vlen_1d, fixed_scalar, fixed_1d, vlen_scalar_utf8, fixed_1d_utf8 };

// How a product stores its numbers and arrays. The default is the generator's
// own form (scalar numeric attributes, contiguous datasets); real products
// keep numeric attributes as arrays of one and, since 2020 for the AMSR2 L2
// products and always for the SGLI L2 products, chunk and deflate every
// dataset. Every writer below takes the form, so that it is decided once per
// product, not per dataset.
struct storage {
    bool numbers_as_arrays = false; // numeric attributes as one-element arrays
    bool deflate = false;           // datasets chunked and deflate-compressed
};

// Native HDF5 type of a sample type.
// clang-format off
template <typename T> const H5::PredType& native_type();
template <> inline const H5::PredType& native_type<std::uint8_t>() { return H5::PredType::NATIVE_UINT8; }
template <> inline const H5::PredType& native_type<std::int16_t>() { return H5::PredType::NATIVE_INT16; }
template <> inline const H5::PredType& native_type<std::uint16_t>() { return H5::PredType::NATIVE_UINT16; }
template <> inline const H5::PredType& native_type<std::int32_t>() { return H5::PredType::NATIVE_INT32; }
template <> inline const H5::PredType& native_type<double>() { return H5::PredType::NATIVE_DOUBLE; }
template <> inline const H5::PredType& native_type<float>() { return H5::PredType::NATIVE_FLOAT; }

// Creates (truncates) the output file. Library errors are not printed: the
// caller reports the exception once.
H5::H5File create_file(const std::string& path);

// Creates the group at `path` and its missing parents.
void ensure_group(const H5::Group& where, const std::string& path);

// Writes a whole dataset; `data` holds the product of `dims` samples in
// storage order. Groups named in `path` are created when missing.
H5::DataSet write_raw(const H5::Group& where, const std::string& path, const H5::PredType& type,
                      const std::vector<hsize_t>& dims, const void* data, std::size_t count,
                      const storage& form = {});

template <typename T>
H5::DataSet write_dataset(const H5::Group& where, const std::string& path, const std::vector<hsize_t>& dims,
                          const std::vector<T>& data, const storage& form = {})
{
    return write_raw(where, path, native_type<T>(), dims, data.data(), data.size(), form);
}

// A dataset of `dims` samples all equal to `value` (the real products' many
// datasets the readers never open).
template <typename T>
H5::DataSet write_constant(const H5::Group& where, const std::string& path, const std::vector<hsize_t>& dims,
                           T value, const storage& form = {})
{
    std::size_t n = 1;
    for (const auto d : dims) n *= static_cast<std::size_t>(d);
    return write_dataset(where, path, dims, std::vector<T>(n, value), form);
}

// Numeric attribute of one value: a scalar, or an array of one.
void write_attr_raw(const H5::H5Object& obj, const std::string& name, const H5::PredType& type, const void* value,
                    const storage& form);

template <typename T>
void write_attr(const H5::H5Object& obj, const std::string& name, T value, const storage& form = {})
{
    write_attr_raw(obj, name, native_type<T>(), &value, form);
}
// clang-format on

inline void write_attr_float(const H5::H5Object& obj, const std::string& name, float value, const storage& form = {})
{
    write_attr(obj, name, value, form);
}
inline void write_attr_u16(const H5::H5Object& obj, const std::string& name, std::uint16_t value,
                           const storage& form = {})
{
    write_attr(obj, name, value, form);
}

// Text attribute in the given layout.
void write_attr_string(const H5::H5Object& obj, const std::string& name, const std::string& value,
                       string_layout layout);

// One-element, one-dimensional fixed-length text attribute (length = text + NUL).
void write_attr_fixed_1d(const H5::H5Object& obj, const std::string& name, const std::string& value);

} // namespace synth_h5

} // namespace vardane
