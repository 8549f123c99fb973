#pragma once

#include <H5Cpp.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/scratch_folder.h"

namespace vardane {

// Writes small HDF5 test files: global attributes in both string layouts,
// datasets of any native type, shape and content at any path (groups created
// on the way), and dataset attributes of any type.
namespace h5fx {

// clang-format off
template <class T> const H5::PredType& type_of();
template <> inline const H5::PredType& type_of<std::int8_t>() { return H5::PredType::NATIVE_INT8; }
template <> inline const H5::PredType& type_of<std::uint8_t>() { return H5::PredType::NATIVE_UINT8; }
template <> inline const H5::PredType& type_of<std::int16_t>() { return H5::PredType::NATIVE_INT16; }
template <> inline const H5::PredType& type_of<std::uint16_t>() { return H5::PredType::NATIVE_UINT16; }
template <> inline const H5::PredType& type_of<std::int32_t>() { return H5::PredType::NATIVE_INT32; }
template <> inline const H5::PredType& type_of<std::uint32_t>() { return H5::PredType::NATIVE_UINT32; }
template <> inline const H5::PredType& type_of<std::int64_t>() { return H5::PredType::NATIVE_INT64; }
template <> inline const H5::PredType& type_of<float>() { return H5::PredType::NATIVE_FLOAT; }
template <> inline const H5::PredType& type_of<double>() { return H5::PredType::NATIVE_DOUBLE; }

// Sample value stored at linear index i of every generated dataset: distinct
// for neighbouring samples, so a misplaced copy shows.
inline double pattern(std::uint64_t i) { return static_cast<double>(i % 30011); }

class file {
public:
    explicit file(const std::filesystem::path& path);

    // Global (root) text attributes in the two layouts products use.
    void text_vlen_1d(const std::string& name, const std::string& value);
    void text_fixed_scalar(const std::string& name, const std::string& value);
    // The SGLI file name: one-element, one-dimensional fixed-length text
    // attribute "Product_file_name" of the group "Global_attributes".
    void sgli_product_file_name(const std::string& value);

    // Dataset filled with pattern(i) converted to T. With chunked set, it is
    // stored in deflated chunks.
    template <class T>
    H5::DataSet dataset(const std::string& path, const std::vector<hsize_t>& dims, bool chunked = false)
    {
        std::uint64_t n = 1;
        for (const auto d : dims) n *= d;
        std::vector<T> values(n);
        for (std::uint64_t i = 0; i < n; ++i) values[i] = static_cast<T>(pattern(i));
        return write(path, type_of<T>(), dims, values.data(), chunked);
    }

    // Dataset whose space claims dims but whose data is never written.
    H5::DataSet empty_dataset(const std::string& path, const H5::DataType& type, const std::vector<hsize_t>& dims,
                              bool chunked);

    template <class T>
    void attribute(const std::string& object, const std::string& name, T value)
    {
        attribute_raw(object, name, type_of<T>(), &value);
    }
    void text_attribute(const std::string& object, const std::string& name, const std::string& value);

    H5::H5File& h5() { return file_; }
    void close() { file_.close(); }

private:
    H5::DataSet write(const std::string& path, const H5::DataType& type, const std::vector<hsize_t>& dims,
                      const void* data, bool chunked);
    void attribute_raw(const std::string& object, const std::string& name, const H5::DataType& type,
                       const void* value);

    H5::H5File file_;
};
// clang-format on

// A unique temporary folder of this process, removed with everything in it.
using temp_dir = test_support::scratch_folder;

std::uintmax_t size_of(const std::filesystem::path& p);

} // namespace h5fx

} // namespace vardane
