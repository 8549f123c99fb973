// Every HDF5 kind written in the layout of real products, read through the
// product reader, against the same kind in the generator's own layout: the
// same kind, label, parameters, shapes and samples. Arrays of one, int32
// attributes, fixed-length strings, chunked deflate storage, extra datasets
// and groups must change nothing the reader delivers. What differs on
// purpose is named: the SGLI L1B counts (missing 16383, one saturated 16382,
// their valid range), the third layer of the L2 SST, and the 2 x 2 layers of
// the listed DPR daily grid.
#include <gtest/gtest.h>

#include <map>

#include "reader/spinfo.h"
#include "support/product_kinds.h"
#include "synth_registry.h"
#include "synth_test_support.h"

namespace vardane {

namespace {

using test_support::hdf5_kind;

struct read_parameter {
    std::int32_t dtype = -1;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    dataAttr_t attr{};
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint16_t> shorts;
    std::vector<float> floats;
};

struct read_product {
    productType type = PT_UNKNOWN;
    std::string label;
    std::string coRegistrationA2;
    std::vector<read_parameter> parameters;
};

read_product read_all(const std::string& path)
{
    spinfo info;
    info.init(path, std::filesystem::file_size(path));
    read_product out;
    out.type = info.getType();
    out.label = info.productName();
    if (const auto a = info.attributes().find("CoRegistrationParameterA2"); a != info.attributes().end()) {
        out.coRegistrationA2 = a->second;
    }
    for (std::uint32_t idx = 0; idx < info.N_count(); ++idx) {
        read_parameter p;
        EXPECT_TRUE(info.get_dataSource(idx, p.dtype)) << path << " idx " << idx << ": " << info.last_failure().cause;
        p.width = info.N_pixel(idx);
        p.height = info.N_line(idx);
        p.attr = info.dataAttr();
        p.bytes.assign(info.byteRaster().begin(), info.byteRaster().end());
        p.shorts.assign(info.shortRaster().begin(), info.shortRaster().end());
        p.floats.assign(info.floatRaster().begin(), info.floatRaster().end());
        out.parameters.push_back(std::move(p));
    }
    return out;
}

read_product write_and_read(const hdf5_kind& k, synth_layout layout, const std::filesystem::path& dir)
{
    const std::string path =
        (dir / (std::string(k.name) + (layout == synth_layout::real ? "_real.h5" : ".h5"))).string();
    synth_options o = synth_test::options(k.variants);
    o.layout = layout;
    EXPECT_TRUE(synth_test::write_kind(k.name, path, o)) << k.name;
    return read_all(path);
}

bool sgli_level1b(productType t) { return t == PT_SGLI_VNR || t == PT_SGLI_POL || t == PT_SGLI_IRS; }

// The generator's own counts in the real products' coding: off-Earth
// 65535 becomes the missing count, element 3 the saturated one.
std::vector<std::uint16_t> as_real_counts(std::vector<std::uint16_t> counts)
{
    for (auto& c : counts) {
        if (c == 0xFFFF) c = 16383;
    }
    if (counts.size() > 3) counts[3] = 16382;
    return counts;
}

class RealLayoutRead : public ::testing::TestWithParam<hdf5_kind> {};

TEST_P(RealLayoutRead, DeliversWhatTheOwnLayoutDelivers)
{
    const hdf5_kind& k = GetParam();
    synth_test::temp_dir dir("vardane-real-read");
    const read_product ours = write_and_read(k, synth_layout::ours, dir.path());
    const read_product real = write_and_read(k, synth_layout::real, dir.path());
    ASSERT_EQ(ours.type, k.type);
    ASSERT_EQ(real.type, k.type);
    EXPECT_EQ(real.label, ours.label);
    if (k.type == PT_AMSR2_L1B) {
        EXPECT_EQ(real.coRegistrationA2.substr(0, 12), "6G--0.13190,");
    }

    // Pairs of (own, real) parameter indexes that must deliver the same.
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    if (k.type == PT_DPR_DAILY) {
        // Pass x channel 2 x 2 instead of 2 x 3: the first pass's layers
        // come first in both, two of them shared.
        EXPECT_EQ(real.parameters.size(), 4u);
        EXPECT_EQ(ours.parameters.size(), 6u);
        pairs = {{0, 0}, {1, 1}};
    } else if (k.type == PT_AMSR2_L2_LOW) {
        // Three SST layers instead of two, each a parameter, then latitude
        // and longitude: the two shared layers first, the geolocation last.
        ASSERT_EQ(ours.parameters.size(), 4u);
        ASSERT_EQ(real.parameters.size(), 5u);
        pairs = {{0, 0}, {1, 1}, {2, 3}, {3, 4}};
    } else {
        ASSERT_EQ(real.parameters.size(), ours.parameters.size());
        for (std::size_t i = 0; i < ours.parameters.size(); ++i) pairs.emplace_back(i, i);
    }
    for (const auto& [own, other] : pairs) {
        SCOPED_TRACE("parameter " + std::to_string(own));
        const read_parameter& o = ours.parameters[own];
        const read_parameter& r = real.parameters[other];
        EXPECT_EQ(r.dtype, o.dtype);
        EXPECT_EQ(r.width, o.width);
        EXPECT_EQ(r.height, o.height);
        EXPECT_EQ(r.attr.mask, o.attr.mask);
        EXPECT_EQ(r.bytes, o.bytes);
        EXPECT_EQ(r.floats, o.floats);
        if (sgli_level1b(k.type) && r.attr.mask != 0) {
            EXPECT_EQ(r.attr.maxValidDN, 16381);
            EXPECT_EQ(r.shorts, as_real_counts(o.shorts));
            continue;
        }
        if (r.attr.mask != 0) { // the range means nothing without a mask
            EXPECT_EQ(r.attr.minValidDN, o.attr.minValidDN);
            EXPECT_EQ(r.attr.maxValidDN, o.attr.maxValidDN);
        }
        EXPECT_EQ(r.shorts, o.shorts);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, RealLayoutRead, ::testing::ValuesIn(test_support::hdf5_kinds()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

} // namespace vardane
