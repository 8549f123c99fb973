// The registry of HDF5 kinds, determinism by seed, and variant errors.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "synth_known_values.h"
#include "synth_test_support.h"

using namespace synth_test;

namespace {

const std::vector<std::string> kHdf5Kinds{
    "AMSR2_L1A",     "AMSR2_L1B",   "AMSR2_L1R",    "AMSR2_L2_HIGH", "AMSR2_L2_LOW", "AMSR2_L3_BT",
    "AMSR2_L3_GD",   "AMSRE_L1B",   "AMSRE_L1R",    "AMSRE_L2_HIGH", "AMSRE_L2_LOW", "AMSRE_L3_BT",
    "AMSRE_L3_GD",   "GSMAP_HOURLY", "GSMAP_MONTHLY", "DPR_DAILY",    "DPR_MONTHLY",  "DPRV7_DAILY",
    "DPRV7_MONTHLY", "SGLI_VNR",    "SGLI_POL",     "SGLI_IRS",      "SGLI_NWLR",    "SGLI_IWPR",
    "SGLI_SST",      "SGLI_LTOA",   "SGLI_RSRF",    "SGLI_LST",      "SGLI_CLFG"};

std::string bytes_of(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(Hdf5Registry, EveryKindIsRegisteredOnceWithADescription)
{
    std::vector<synth_kind> kinds;
    register_hdf5_kinds(kinds);
    std::set<std::string> names;
    for (const auto& k : kinds) {
        EXPECT_FALSE(k.description.empty()) << k.name;
        EXPECT_TRUE(names.insert(k.name).second) << "duplicate " << k.name;
    }
    EXPECT_EQ(names, std::set<std::string>(kHdf5Kinds.begin(), kHdf5Kinds.end()));
}

TEST(Hdf5Registry, EveryKindWritesAnHdf5File)
{
    temp_dir dir;
    for (const auto& kind : kHdf5Kinds) {
        const auto path = dir.file(kind + ".h5");
        ASSERT_TRUE(write_kind(kind, path)) << kind;
        EXPECT_TRUE(H5::H5File::isHdf5(path)) << kind;
    }
}

TEST(Hdf5Registry, SameSeedSameDataOtherSeedOtherData)
{
    temp_dir dir;
    for (const auto* kind : {"AMSR2_L1B", "AMSR2_L3_GD", "DPR_MONTHLY", "SGLI_VNR"}) {
        const auto a = dir.file("a.h5");
        const auto b = dir.file("b.h5");
        const auto c = dir.file("c.h5");
        ASSERT_TRUE(write_kind(kind, a, options({}, 7)));
        ASSERT_TRUE(write_kind(kind, b, options({}, 7)));
        ASSERT_TRUE(write_kind(kind, c, options({}, 8)));
        EXPECT_TRUE(bytes_of(a) == bytes_of(b)) << kind << ": same seed, different bytes";
        EXPECT_FALSE(bytes_of(a) == bytes_of(c)) << kind << ": seed has no effect";
    }
}

TEST(Hdf5Registry, BadVariantValuesFailWithoutThrowing)
{
    temp_dir dir;
    const auto path = dir.file("x.h5");
    EXPECT_FALSE(write_kind("AMSR2_L1B", path, options({{"scans", "1"}})));
    EXPECT_FALSE(write_kind("AMSR2_L1B", path, options({{"scans", "12abc"}})));
    EXPECT_FALSE(write_kind("AMSR2_L1B", path, options({{"strings", "utf8"}})));
    EXPECT_FALSE(write_kind("DPR_DAILY", path, options({{"rank", "5"}})));
    EXPECT_FALSE(write_kind("GSMAP_HOURLY", path, options({{"size", "0x10"}})));
    EXPECT_FALSE(write_kind("AMSR2_L1B", dir.file("missing/x.h5")));
}
