#include <gtest/gtest.h>

#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/read_h5data.h"

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

    h5fx::temp_dir dir_;
    std::filesystem::path path_;
};

TEST_F(ReadH5Data, SampleTypesFollowClassSizeSignAndName)
{
    std::int32_t nctype = -1;
    auto sps = read("SPS_Temperature_Count", {4, 3}, nctype);
    ASSERT_EQ(nctype, 3);
    ASSERT_EQ(sps.count, 12u);
    EXPECT_EQ(sps.as<short>()[11], 11);

    auto bt = read("Brightness Temperature (H)", {4, 3}, nctype);
    EXPECT_EQ(nctype, 4);
    EXPECT_EQ(bt.as<int>()[7], 7);

    auto gd = read("Geophysical Data", {2, 3, 2}, nctype);
    EXPECT_EQ(nctype, 3);
    EXPECT_EQ(gd.as<short>()[11], 11);

    EXPECT_EQ(read("Scan Time Int", {5}, nctype).as<int>()[4], 4);
    EXPECT_EQ(nctype, 4);
    EXPECT_EQ(read("Pixel Count", {5}, nctype).as<float>()[3], 3.0f);
    EXPECT_EQ(nctype, 5);
    EXPECT_EQ(read("Land_Ocean_Flag_89", {2, 6}, nctype).as<short>()[10], 10);
    EXPECT_EQ(nctype, 3);
    EXPECT_EQ(read("Pixel Data Quality", {2, 6}, nctype).as<unsigned char>()[9], 9);
    EXPECT_EQ(nctype, 1);
    EXPECT_EQ(read("Signed Flags", {2, 6}, nctype).as<signed char>()[5], 5);
    EXPECT_EQ(nctype, 1);
    EXPECT_EQ(read("Wide Counts", {3}, nctype).as<signed char>()[2], 2);
    EXPECT_EQ(nctype, 1);
    EXPECT_EQ(read("Scan Time", {5}, nctype).as<double>()[4], pattern(4));
    EXPECT_EQ(nctype, 6);
    EXPECT_EQ(read("Latitude", {2, 2}, nctype).as<float>()[3], 3.0f);
    EXPECT_EQ(nctype, 5);
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
