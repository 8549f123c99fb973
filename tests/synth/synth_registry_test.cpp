// The registry of HDF5 kinds, determinism by seed, and variant errors. That
// every kind writes a file the reader recognises is the reader's sweep.
#include <fstream>
#include <iterator>
#include <set>

#include "synth_test_support.h"

namespace vardane {

using namespace synth_test;

namespace {

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
}

TEST(Hdf5Registry, SameSeedSameDataOtherSeedOtherData)
{
    temp_dir dir;
    for (const auto* kind : {"AMSR2_L1B", "AMSR2_L3_GD", "DPR_MONTHLY", "SGLI_VNR"}) {
        const auto a = dir.file("a.h5"), b = dir.file("b.h5"), c = dir.file("c.h5");
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
    const std::pair<const char*, synth_options> bad[] = {
        {"AMSR2_L1B", options({{"scans", "1"}})},      {"AMSR2_L1B", options({{"scans", "12abc"}})},
        {"AMSR2_L1B", options({{"strings", "utf8"}})}, {"DPR_DAILY", options({{"rank", "5"}})},
        {"GSMAP_HOURLY", options({{"size", "0x10"}})}, {"AMSR2_L3_BT", options({{"grid", "polar"}})},
        {"AMSR2_L3_GD", options({{"geo", "XYZ"}})},    {"SGLI_SST", options({{"sst", "SSTX"}})},
        {"SGLI_VNR", options({{"center", "north"}})},  {"SGLI_CLFG", options({{"tile", "3620"}})},
        {"AMSR2_L1B", options({{"coreg", "latin1"}})},
    };
    for (const auto& [kind, o] : bad) EXPECT_FALSE(write_kind(kind, dir.file("x.h5"), o)) << kind;
    EXPECT_FALSE(write_kind("AMSR2_L1B", dir.file("missing/x.h5")));
}

} // namespace vardane
