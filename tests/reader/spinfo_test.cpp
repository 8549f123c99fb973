#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "reader/spinfo.h"

namespace fs = std::filesystem;

namespace {

// A file of the given size filled with zero bytes, in a fresh temporary folder.
class TempFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("vardane_spinfo_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string make(const std::string& name, std::uintmax_t size)
    {
        const auto p = dir_ / name;
        std::ofstream(p, std::ios::binary).close();
        fs::resize_file(p, size);
        return p.string();
    }

    fs::path dir_;
};

} // namespace

TEST_F(TempFiles, EmptyFileOrPathIsNoProduct)
{
    spinfo info;
    info.init(make("empty.h5", 0), 0);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    info.init("", 100);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
}

TEST_F(TempFiles, GsmapBinaryRecognisedByNameAndSize)
{
    spinfo info;
    const auto path = make("gsmap_nrt.20240101.0000.dat", 17'280'000);
    info.init(path, 17'280'000);
    EXPECT_EQ(info.getType(), PT_GSMAP_HOURLY);
    EXPECT_TRUE(info.isGsmapBin);
    EXPECT_EQ(info.N_count(), 1u);
    EXPECT_EQ(info.N_pixel(0), 3600u);
    EXPECT_EQ(info.N_line(0), 1200u);
    EXPECT_EQ(info.N_pixel(1), 0u); // idx == nCount
    EXPECT_EQ(info.N_byte(0), 4u);
    earthPoint_t c[4];
    info.get_Corner(c);
    EXPECT_DOUBLE_EQ(c[UL].lat, 60.0);
    EXPECT_DOUBLE_EQ(c[UL].lon, -180.0);
    EXPECT_DOUBLE_EQ(c[LR].lat, -60.0);
    EXPECT_DOUBLE_EQ(c[LR].lon, 180.0);

    const auto small = make("gsmap_mvk.dat", 2'764'800);
    info.init(small, 2'764'800);
    EXPECT_EQ(info.getType(), PT_GSMAP_HOURLY);
    EXPECT_EQ(info.N_pixel(0), 1440u);
    EXPECT_EQ(info.N_line(0), 480u);
}

TEST_F(TempFiles, GsmapNameRulesAreExact)
{
    spinfo info;
    // Another size: no product, and the flag is still the GSMaP one.
    const auto odd = make("gsmap_odd.dat", 17'280'001);
    info.init(odd, 17'280'001);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_TRUE(info.isGsmapBin);

    // Upper case is not GSMaP binary: it falls through to the JASMES tests.
    const auto upper = make("GSMAP_nrt.dat", 17'280'000);
    info.init(upper, 17'280'000);
    EXPECT_FALSE(info.isGsmapBin);
    EXPECT_NE(info.getType(), PT_GSMAP_HOURLY);

    EXPECT_TRUE(spinfo::is_gsmap("/a/b/gsmap_x"));
    EXPECT_TRUE(spinfo::is_gsmap("C:\\a\\gsmap_x"));
    EXPECT_FALSE(spinfo::is_gsmap("/gsmap_dir/file"));
    EXPECT_FALSE(spinfo::is_gsmap("xgsmap_"));
}

TEST(SpinfoBytes, SampleSizeFollowsDatasetTables)
{
    spinfo info;
    info.bytesPerSample = 2;
    info.nCount = 40;
    const auto bytes = [&](productType k, std::uint32_t idx) {
        info.kind = k;
        return info.N_byte(idx);
    };
    EXPECT_EQ(bytes(PT_AMSR2_L1B, 15), 2u);
    EXPECT_EQ(bytes(PT_AMSR2_L1B, 16), 4u);
    EXPECT_EQ(bytes(PT_AMSR2_L2_HIGH, 1), 2u);
    EXPECT_EQ(bytes(PT_AMSR2_L2_HIGH, 2), 4u);
    EXPECT_EQ(bytes(PT_SGLI_VNR, 11), 2u);
    EXPECT_EQ(bytes(PT_SGLI_VNR, 12), 1u);
    EXPECT_EQ(bytes(PT_SGLI_VNR, 13), 4u);
    EXPECT_EQ(bytes(PT_SGLI_NWLR, 10), 2u);
    EXPECT_EQ(bytes(PT_SGLI_NWLR, 11), 4u);
    EXPECT_EQ(bytes(PT_SGLI_SST, 2), 1u);
    EXPECT_EQ(bytes(PT_SGLI_LTOA, 31), 2u);
    EXPECT_EQ(bytes(PT_SGLI_LTOA, 32), 1u);
    EXPECT_EQ(bytes(PT_SGLI_CLFG, 0), 2u);
    EXPECT_EQ(bytes(PT_AMSR2_L1B, 40), 0u); // idx == nCount
    info.kind = PT_JASMES_HDR;
    info.nBands = 23;
    EXPECT_EQ(info.N_byte(1), 3u);
    EXPECT_EQ(info.N_byte(2), 2u);
    info.kind = PT_UNKNOWN;
    EXPECT_EQ(info.N_byte(0), 0u);
}
