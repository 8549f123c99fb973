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
// variable-length string, or a scalar fixed-length string.
enum class string_layout { vlen_1d, fixed_scalar };

// Native HDF5 type of a sample type.
// clang-format off
template <typename T> const H5::PredType& native_type();
template <> inline const H5::PredType& native_type<std::uint8_t>() { return H5::PredType::NATIVE_UINT8; }
template <> inline const H5::PredType& native_type<std::int16_t>() { return H5::PredType::NATIVE_INT16; }
template <> inline const H5::PredType& native_type<std::uint16_t>() { return H5::PredType::NATIVE_UINT16; }
template <> inline const H5::PredType& native_type<float>() { return H5::PredType::NATIVE_FLOAT; }

// Creates (truncates) the output file. Library errors are not printed: the
// caller reports the exception once.
H5::H5File create_file(const std::string& path);

// Creates the group at `path` and its missing parents.
void ensure_group(const H5::Group& where, const std::string& path);

// Writes a whole dataset; `data` holds the product of `dims` samples in
// storage order. Groups named in `path` are created when missing.
H5::DataSet write_raw(const H5::Group& where, const std::string& path, const H5::PredType& type,
                      const std::vector<hsize_t>& dims, const void* data, std::size_t count);

template <typename T>
H5::DataSet write_dataset(const H5::Group& where, const std::string& path, const std::vector<hsize_t>& dims,
                          const std::vector<T>& data)
{
    return write_raw(where, path, native_type<T>(), dims, data.data(), data.size());
}
// clang-format on

// Scalar numeric attribute.
void write_attr_float(const H5::H5Object& obj, const std::string& name, float value);
void write_attr_u16(const H5::H5Object& obj, const std::string& name, std::uint16_t value);

// Text attribute in the given layout.
void write_attr_string(const H5::H5Object& obj, const std::string& name, const std::string& value,
                       string_layout layout);

// One-element, one-dimensional fixed-length text attribute (length = text + NUL).
void write_attr_fixed_1d(const H5::H5Object& obj, const std::string& name, const std::string& value);

} // namespace synth_h5

} // namespace vardane
