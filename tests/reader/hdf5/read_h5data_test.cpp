#include <gtest/gtest.h>

#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/read_h5data.h"

namespace vardane {

namespace {

using h5fx::pattern;

class ReadH5Data : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_ / "netcdf_source.h5";
        h5fx::file f(path_);
        f.dataset<std::uint16_t>("SPS_Temperature_Count", {4, 3});
        f.dataset<std::uint16_t>("Brightness Temperature (H)", {4, 3});
        f.dataset<std::int16_t>("Geophysical Data", {2, 3, 2});
        f.dataset<std::int32_t>("Scan Time Int", {5});
        f.dataset<std::uint32_t>("Pixel Count", {5});
        f.dataset<std::uint8_t>("Land_Ocean_Flag_89", {2, 6});
        f.dataset<std::uint8_t>("Pixel Data Quality", {2, 6});
        f.dataset<std::int8_t>("Signed Flags", {2, 6});
        f.dataset<std::int64_t>("Wide Counts", {3});
        f.dataset<double>("Scan Time", {5});
        f.dataset<float>("Latitude", {2, 2});
        const H5::StrType text(H5::PredType::C_S1, 8);
        const hsize_t two = 2;
        f.h5().createDataSet("Names", text, H5::DataSpace(1, &two)).write("abcdefg\0hijklmn", text);
    }

    h5data_samples read(const std::string& name, std::vector<std::uint64_t> dims, std::int32_t& nctype)
    {
        H5::H5File f(path_.string(), H5F_ACC_RDONLY);
        H5::DataSet ds = f.openDataSet(name);
        h5data_samples out = read_h5data(ds, dims, nctype, name);
        EXPECT_TRUE(dims.empty());
        EXPECT_EQ(ds.getId(), H5I_INVALID_HID); // closed
        return out;
    }

    // Reads name whole: its netCDF type is want, every sample there, sample i as written.
    template <class T>
    void expect(const std::string& name, const std::vector<std::uint64_t>& dims, std::int32_t want, std::size_t i)
    {
        std::int32_t nctype = -1;
        const auto samples = read(name, dims, nctype);
        EXPECT_EQ(nctype, want) << name;
        std::uint64_t n = 1;
        for (const auto d : dims) n *= d;
        ASSERT_EQ(samples.count, n) << name;
        EXPECT_EQ(static_cast<double>(samples.as<T>()[i]), pattern(i)) << name;
    }

    h5fx::temp_dir dir_;
    std::filesystem::path path_;
};

TEST_F(ReadH5Data, SampleTypesFollowClassSizeSignAndName)
{
    expect<short>("SPS_Temperature_Count", {4, 3}, 3, 11);
    expect<int>("Brightness Temperature (H)", {4, 3}, 4, 7);
    expect<short>("Geophysical Data", {2, 3, 2}, 3, 11);
    expect<int>("Scan Time Int", {5}, 4, 4);
    expect<float>("Pixel Count", {5}, 5, 3);
    expect<short>("Land_Ocean_Flag_89", {2, 6}, 3, 10);
    expect<unsigned char>("Pixel Data Quality", {2, 6}, 1, 9);
    expect<signed char>("Signed Flags", {2, 6}, 1, 5);
    expect<signed char>("Wide Counts", {3}, 1, 2);
    expect<double>("Scan Time", {5}, 6, 4);
    expect<float>("Latitude", {2, 2}, 5, 3);
}

TEST_F(ReadH5Data, TextDatasetsAndWrongExtentsGiveNothing)
{
    std::int32_t nctype = -1;
    EXPECT_TRUE(read("Names", {2}, nctype).empty());
    EXPECT_EQ(nctype, 0);
    // Extents that do not match the dataset would size the buffer wrongly.
    EXPECT_TRUE(read("Latitude", {2, 1}, nctype).empty());
    EXPECT_TRUE(read("Latitude", {4}, nctype).empty());
    EXPECT_TRUE(read("Latitude", {2, 2, 1}, nctype).empty());
    EXPECT_EQ(nctype, 0);
}

} // namespace

} // namespace vardane
