#pragma once
// Helpers of the generator tests: a private temporary folder, running a kind
// of the registry, and reading the written files back with the HDF5 C++ API.

#include <H5Cpp.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/scratch_folder.h"
#include "synth_registry.h"

namespace vardane {

namespace synth_test {

// Temporary folder unique to this process, removed at the end.
using temp_dir = test_support::scratch_folder;

synth_options options(std::vector<std::pair<std::string, std::string>> variants = {}, std::uint32_t seed = 1);

// Writes KIND into `path` through the registry; false when the writer failed
// or the kind is unknown.
bool write_kind(const std::string& kind, const std::string& path, const synth_options& o = options());

// A text attribute of an object, in either string layout.
std::string read_string_attr(const H5::H5Object& obj, const std::string& name);
std::vector<hsize_t> dims_of(const H5::DataSet& ds);

// clang-format off
template <typename T> const H5::PredType& pred();
template <> inline const H5::PredType& pred<std::uint8_t>() { return H5::PredType::NATIVE_UINT8; }
template <> inline const H5::PredType& pred<std::int16_t>() { return H5::PredType::NATIVE_INT16; }
template <> inline const H5::PredType& pred<std::uint16_t>() { return H5::PredType::NATIVE_UINT16; }
template <> inline const H5::PredType& pred<float>() { return H5::PredType::NATIVE_FLOAT; }

// A scalar numeric attribute.
template <typename T>
T read_attr(const H5::H5Object& obj, const std::string& name)
{
    T v{};
    obj.openAttribute(name).read(pred<T>(), &v);
    return v;
}
// clang-format on

// Whole dataset in storage order; fails the test when the stored type differs.
template <typename T>
std::vector<T> read_all(const H5::H5File& f, const std::string& path)
{
    H5::DataSet ds = f.openDataSet(path);
    EXPECT_TRUE(ds.getDataType() == pred<T>()) << path;
    std::size_t n = 1;
    for (auto d : dims_of(ds)) n *= d;
    std::vector<T> out(n);
    ds.read(out.data(), pred<T>());
    return out;
}

} // namespace synth_test

} // namespace vardane
