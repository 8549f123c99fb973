#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "reader/gsmap/gsmap_bin_reader.h"
#include "reader/spinfo.h"
#include "support/scratch_folder.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

// A file of the given size filled with zero bytes, in a fresh temporary folder.
class TempFiles : public ::testing::Test {
protected:
    std::string make(const std::string& name, std::uintmax_t size)
    {
        const auto p = dir_ / name;
        std::ofstream(p, std::ios::binary).close();
        fs::resize_file(p, size);
        return p.string();
    }

    test_support::scratch_folder dir_{"vardane_spinfo"};
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

TEST_F(TempFiles, GsmapNameRulesAreExact)
{
    spinfo info;
    // Another size: no product, and the GSMaP reader took it as a cut file.
    const auto odd = make("gsmap_odd.dat", 17'280'001);
    info.init(odd, 17'280'001);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.last_failure().file, odd);
    EXPECT_NE(info.last_failure().cause.find("GSMaP grid"), std::string::npos) << info.last_failure().cause;

    // Upper case is not GSMaP binary: it falls through to the JASMES tests.
    const auto upper = make("GSMAP_nrt.dat", 17'280'000);
    info.init(upper, 17'280'000);
    EXPECT_FALSE(info.last_failure().failed()) << info.last_failure().cause;
    EXPECT_NE(info.getType(), PT_GSMAP_HOURLY);

    EXPECT_TRUE(is_gsmap("/a/b/gsmap_x"));
    EXPECT_TRUE(is_gsmap("C:\\a\\gsmap_x"));
    EXPECT_FALSE(is_gsmap("/gsmap_dir/file"));
    EXPECT_FALSE(is_gsmap("xgsmap_"));
}

} // namespace vardane
