#include <gtest/gtest.h>

#include <cmath>

#include "reader/hdf5/h5_fixture.h"
#include "reader/spinfo.h"
#include "hdf5/l3_grids.h"
#include "hdf5/synth_known_values.h"
#include "synth_registry.h"

namespace {

struct synth_case {
    std::string kindName;
    std::vector<std::pair<std::string, std::string>> variants;
    productType expected;
};

const std::pair<const char*, productType> kKindOfName[] = {
    {"AMSR2_L1A", PT_AMSR2_L1A},         {"AMSR2_L1B", PT_AMSR2_L1B},         {"AMSR2_L1R", PT_AMSR2_L1R},
    {"AMSR2_L2_HIGH", PT_AMSR2_L2_HIGH}, {"AMSR2_L2_LOW", PT_AMSR2_L2_LOW},   {"AMSR2_L3_BT", PT_AMSR2_L3_BT},
    {"AMSR2_L3_GD", PT_AMSR2_L3_GD},     {"AMSRE_L1B", PT_AMSRE_L1B},         {"AMSRE_L1R", PT_AMSRE_L1R},
    {"AMSRE_L2_HIGH", PT_AMSRE_L2_HIGH}, {"AMSRE_L2_LOW", PT_AMSRE_L2_LOW},   {"AMSRE_L3_BT", PT_AMSRE_L3_BT},
    {"AMSRE_L3_GD", PT_AMSRE_L3_GD},     {"GSMAP_HOURLY", PT_GSMAP_HOURLY},   {"GSMAP_MONTHLY", PT_GSMAP_MONTHLY},
    {"DPR_DAILY", PT_DPR_DAILY},         {"DPR_MONTHLY", PT_DPR_MONTHLY},     {"DPRV7_DAILY", PT_DPRV7_DAILY},
    {"DPRV7_MONTHLY", PT_DPRV7_MONTHLY}, {"SGLI_VNR", PT_SGLI_VNR},           {"SGLI_POL", PT_SGLI_POL},
    {"SGLI_IRS", PT_SGLI_IRS},           {"SGLI_NWLR", PT_SGLI_NWLR},         {"SGLI_IWPR", PT_SGLI_IWPR},
    {"SGLI_SST", PT_SGLI_SST},           {"SGLI_LTOA", PT_SGLI_LTOA},         {"SGLI_RSRF", PT_SGLI_RSRF},
    {"SGLI_LST", PT_SGLI_LST},           {"SGLI_CLFG", PT_SGLI_CLFG},
};

std::vector<synth_case> all_cases()
{
    std::vector<synth_case> cases;
    for (const auto& [name, kind] : kKindOfName) cases.push_back({name, {}, kind});
    for (const auto& g : synth_l3::all_l3_grids()) {
        cases.push_back({"AMSR2_L3_BT", {{"grid", std::string(g.name)}}, PT_AMSR2_L3_BT});
        cases.push_back({"AMSRE_L3_GD", {{"grid", std::string(g.name)}}, PT_AMSRE_L3_GD});
    }
    cases.push_back({"DPR_DAILY", {{"rank", "3"}}, PT_DPR_DAILY});
    cases.push_back({"SGLI_SST", {{"sst", "SSTN"}}, PT_SGLI_SST});
    return cases;
}

const synth_kind* find_kind(const std::vector<synth_kind>& kinds, const std::string& name)
{
    for (const auto& k : kinds) {
        if (k.name == name) return &k;
    }
    return nullptr;
}

// Stored element 0 of a gridded float layer is delivered in the last row
// (the grids are stored south first), the next cell east beside it.
bool stored_south_first(productType k) { return k >= PT_GSMAP_HOURLY && k <= PT_DPRV7_MONTHLY; }

bool is_geolocation(const spinfo& info, std::uint32_t idx)
{
    return info.N_byte(idx) == 4 && !stored_south_first(info.getType());
}

class SynthHdf5Products : public ::testing::TestWithParam<synth_case> {};

TEST_P(SynthHdf5Products, RecognisedAndEveryParameterRead)
{
    const synth_case& c = GetParam();
    std::vector<synth_kind> kinds;
    register_hdf5_kinds(kinds);
    const synth_kind* kind = find_kind(kinds, c.kindName);
    ASSERT_NE(kind, nullptr) << c.kindName;

    h5fx::temp_dir dir;
    const auto path = dir / (c.kindName + ".h5");
    synth_options options;
    options.variants = c.variants;
    ASSERT_TRUE(kind->write(path.string(), options));

    spinfo info;
    info.init(path.string(), h5fx::size_of(path));
    ASSERT_EQ(info.getType(), c.expected);
    ASSERT_GT(info.N_count(), 0u);
    for (std::uint32_t idx = 0; idx < info.N_count(); ++idx) {
        productInfo_t pi;
        info.get_productInfo(idx, pi);
        std::int32_t dtype = -1;
        ASSERT_TRUE(info.get_dataSource(idx, dtype)) << c.kindName << " idx " << idx;
        const std::size_t w = info.dataAttr.width;
        const std::size_t h = info.dataAttr.height;
        ASSERT_GT(w, 1u);
        ASSERT_GT(h, 0u);
        if (is_geolocation(info, idx)) continue;

        // Origin value at stored [0][0] of the parameter, its tag beside it.
        const std::size_t origin = stored_south_first(info.getType()) ? (h - 1) * w : 0;
        switch (dtype) {
        case DT_UINT16:
            EXPECT_EQ(info.shortRaster[origin], synth_known::kOriginU16) << c.kindName << " idx " << idx;
            EXPECT_EQ(info.shortRaster[origin + 1], synth_known::kTagBase + idx) << c.kindName << " idx " << idx;
            break;
        case DT_INT16:
            EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[origin]), synth_known::kOriginI16) << idx;
            EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster[origin + 1]), synth_known::kTagBase + static_cast<int>(idx))
                << c.kindName << " idx " << idx;
            break;
        case DT_UINT8:
            EXPECT_EQ(info.byteRaster[origin], synth_known::kOriginU8) << c.kindName << " idx " << idx;
            EXPECT_EQ(info.byteRaster[origin + 1], synth_known::kTagBaseU8 + idx) << c.kindName << " idx " << idx;
            break;
        case DT_FLOAT32:
            EXPECT_NEAR(info.floatRaster[origin], synth_known::kOriginFloat * pi.scale, 1e-4) << c.kindName << " idx " << idx;
            EXPECT_NEAR(info.floatRaster[origin + 1], (synth_known::kTagBase + idx) * pi.scale, 1e-3)
                << c.kindName << " idx " << idx;
            break;
        default: ADD_FAILURE() << "buffer code " << dtype;
        }
    }
    if (is_swath_kind(info.getType()) && !is_gcomc_kind(info.getType())) {
        for (const auto& p : info.corners) {
            EXPECT_LE(std::abs(p.lat), 90.0);
            EXPECT_LE(std::abs(p.lon), 360.0);
        }
    }
}

std::string case_name(const ::testing::TestParamInfo<synth_case>& info)
{
    std::string name = info.param.kindName;
    for (const auto& [k, v] : info.param.variants) name += "_" + k + "_" + v;
    for (auto& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SynthHdf5Products, ::testing::ValuesIn(all_cases()), case_name);

} // namespace
