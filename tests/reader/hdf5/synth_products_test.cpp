// Every synthetic HDF5 product of vardane-synth through recognition and
// reading: the one sweep over every HDF5 kind and its generator variants.
#include <gtest/gtest.h>

#include <cmath>

#include "reader/hdf5/h5_fixture.h"
#include "reader/spinfo.h"
#include "hdf5/synth_known_values.h"
#include "support/synthetic_file.h"

namespace vardane {

namespace {

using variants = std::vector<std::pair<std::string, std::string>>;

struct synth_case {
    std::string kindName;
    variants set;
    productType expected;
    std::uint32_t count; // parameters offered
    const char* label;
    L3PsType grid = PS_NONE;
};

std::vector<synth_case> all_cases()
{
    std::vector<synth_case> cases = {
        {"AMSR2_L1A", {}, PT_AMSR2_L1A, 20, "GCOMW_AMSR2-L1A"},
        {"AMSR2_L1B", {}, PT_AMSR2_L1B, 20, "GCOMW_AMSR2-L1B"},
        {"AMSR2_L1R", {}, PT_AMSR2_L1R, 44, "GCOMW_AMSR2-L1R"},
        {"AMSR2_L2_HIGH", {}, PT_AMSR2_L2_HIGH, 6, "GCOMW_AMSR2-L2_High_reso"},
        {"AMSR2_L2_LOW", {}, PT_AMSR2_L2_LOW, 3, "GCOMW_AMSR2-L2_Low_reso"},
        {"AMSR2_L3_BT", {}, PT_AMSR2_L3_BT, 2, "GCOMW_AMSR2-L3_Brightnes"},
        {"AMSR2_L3_GD", {}, PT_AMSR2_L3_GD, 2, "GCOMW_AMSR2-L3_Geophisical"},
        {"AMSRE_L1B", {}, PT_AMSRE_L1B, 20, "AQUA_AMSR-E-L1B"},
        {"AMSRE_L1R", {}, PT_AMSRE_L1R, 44, "AQUA_AMSR-E-L1R"},
        {"AMSRE_L2_HIGH", {}, PT_AMSRE_L2_HIGH, 6, "AQUA_AMSR-E-L2_High_reso"},
        {"AMSRE_L2_LOW", {}, PT_AMSRE_L2_LOW, 3, "AQUA_AMSR-E-L2_Low_reso"},
        {"AMSRE_L3_BT", {}, PT_AMSRE_L3_BT, 2, "AQUA_AMSR-E-L3_Brightnes"},
        {"AMSRE_L3_GD", {}, PT_AMSRE_L3_GD, 2, "AQUA_AMSR-E-L3_Geophisical"},
        {"GSMAP_HOURLY", {}, PT_GSMAP_HOURLY, 1, "GPM_GSMaP_Hourly_L3"},
        {"GSMAP_MONTHLY", {}, PT_GSMAP_MONTHLY, 1, "GPM_GSMaP_Monthly_L3"},
        {"DPR_DAILY", {}, PT_DPR_DAILY, 6, "GPM_DPR_Daily_L3"},
        {"DPR_DAILY", {{"rank", "3"}}, PT_DPR_DAILY, 3, "GPM_DPR_Daily_L3"},
        {"DPR_MONTHLY", {}, PT_DPR_MONTHLY, 15, "GPM_DPR_Monthly_L3"},
        {"DPRV7_DAILY", {}, PT_DPRV7_DAILY, 6, "GPM_DPRv7_Daily_L3"},
        {"DPRV7_MONTHLY", {}, PT_DPRV7_MONTHLY, 9, "GPM_DPRv7_Monthly_L3"},
        {"SGLI_VNR", {}, PT_SGLI_VNR, 15, ""},
        {"SGLI_POL", {}, PT_SGLI_POL, 16, ""},
        {"SGLI_IRS", {}, PT_SGLI_IRS, 10, ""},
        {"SGLI_NWLR", {}, PT_SGLI_NWLR, 13, ""},
        {"SGLI_IWPR", {}, PT_SGLI_IWPR, 6, ""},
        {"SGLI_SST", {}, PT_SGLI_SST, 5, ""},
        {"SGLI_SST", {{"sst", "SSTN"}}, PT_SGLI_SST, 5, ""},
        {"SGLI_LTOA", {}, PT_SGLI_LTOA, 33, ""},
        {"SGLI_RSRF", {}, PT_SGLI_RSRF, 27, ""},
        {"SGLI_LST", {}, PT_SGLI_LST, 4, ""},
        {"SGLI_CLFG", {}, PT_SGLI_CLFG, 1, ""},
    };
    // Every L3 grid, told apart by its size alone.
    const std::pair<const char*, L3PsType> grids[] = {
        {"latlon_0.1", PS_NONE},
        {"latlon_0.25", PS_NONE},
        {"nsidc_north_25km", PS_NSIDC_NORTH},
        {"nsidc_north_10km", PS_NSIDC_NORTH},
        {"nsidc_south_25km", PS_NSIDC_SOUTH},
        {"nsidc_south_10km", PS_NSIDC_SOUTH},
        {"snow_north_25km", PS_SNOW_NORTH},
        {"snow_north_10km", PS_SNOW_NORTH},
    };
    for (const auto& [grid, type] : grids) {
        cases.push_back({"AMSR2_L3_BT", {{"grid", grid}}, PT_AMSR2_L3_BT, 2, "GCOMW_AMSR2-L3_Brightnes", type});
        cases.push_back({"AMSRE_L3_GD", {{"grid", grid}}, PT_AMSRE_L3_GD, 2, "AQUA_AMSR-E-L3_Geophisical", type});
    }
    return cases;
}

void PrintTo(const synth_case& c, std::ostream* os) { *os << c.kindName; }

// Stored element 0 of a gridded float layer is delivered in the last row
// (the grids are stored south first), the next cell east beside it.
bool stored_south_first(productType k) { return k >= PT_GSMAP_HOURLY && k <= PT_DPRV7_MONTHLY; }

// The bytes of rows `rows` of the plane the last read filled.
std::vector<std::uint8_t> plane_rows(const spinfo& info, std::int32_t dtype, row_span rows)
{
    const auto bytes = [&](const auto& plane) {
        const std::size_t row =
            std::size_t(info.dataAttr().width) * std::size_t(info.dataAttr().bands) * sizeof(plane[0]);
        const auto* first = reinterpret_cast<const std::uint8_t*>(plane.data());
        return std::vector<std::uint8_t>(first + rows.first * row, first + (rows.first + rows.count) * row);
    };
    switch (dtype) {
    case DT_UINT8: return bytes(info.byteRaster());
    case DT_UINT16:
    case DT_INT16: return bytes(info.shortRaster());
    default: return bytes(info.floatRaster());
    }
}

// A part of a parameter read alone is those rows of the whole read, and is
// all the buffers then hold.
void expect_part_is_rows_of_whole(spinfo& info, std::uint32_t idx, std::int32_t dtype)
{
    const std::uint32_t h = info.dataAttr().height;
    const row_span part{h / 3, std::max<std::uint32_t>(1, h / 3)};
    const auto whole = plane_rows(info, dtype, part);
    std::int32_t partType = DT_NONE;
    ASSERT_TRUE(info.get_dataRows(idx, part, partType));
    EXPECT_EQ(partType, dtype);
    EXPECT_EQ(info.dataAttr().height, std::int32_t(part.count));
    EXPECT_EQ(plane_rows(info, dtype, {0, part.count}), whole);
    const std::size_t held = info.byteRaster().size() + info.shortRaster().size() + info.floatRaster().size();
    EXPECT_EQ(held, std::size_t(part.count) * info.dataAttr().width * std::size_t(info.dataAttr().bands));
    EXPECT_FALSE(info.get_dataRows(idx, {h - 1, 2}, partType)) << "rows past the last";
    ASSERT_TRUE(info.get_dataSource(idx, dtype));
}

class SynthHdf5Products : public ::testing::TestWithParam<synth_case> {};

TEST_P(SynthHdf5Products, RecognisedAndEveryParameterReadWithItsKnownValues)
{
    const synth_case& c = GetParam();
    h5fx::temp_dir dir;
    const auto path = dir / (c.kindName + ".h5");
    ASSERT_FALSE(test_support::write_synthetic(c.kindName, path, c.set).empty()) << c.kindName;

    spinfo info;
    info.init(path.string(), h5fx::size_of(path));
    ASSERT_EQ(info.getType(), c.expected);
    ASSERT_EQ(info.N_count(), c.count);
    EXPECT_EQ(info.productName(), c.label);
    EXPECT_EQ(info.getL3PolarStereoType(), c.grid);
    const bool southFirst = stored_south_first(info.getType());
    for (std::uint32_t idx = 0; idx < info.N_count(); ++idx) {
        SCOPED_TRACE("idx " + std::to_string(idx));
        productInfo_t pi;
        info.get_productInfo(idx, pi);
        EXPECT_EQ(pi.product, c.label);
        std::int32_t dtype = -1;
        ASSERT_TRUE(info.get_dataSource(idx, dtype));
        const std::size_t w = info.dataAttr().width;
        const std::size_t h = info.dataAttr().height;
        ASSERT_EQ(w, info.N_pixel(idx));
        ASSERT_EQ(h, info.N_line(idx));
        ASSERT_GT(w, 1u);
        // Exactly one buffer holds the parameter; the previous read's are released.
        const std::size_t held = info.byteRaster().size() + info.shortRaster().size() + info.floatRaster().size();
        ASSERT_EQ(held, w * h * static_cast<std::size_t>(info.dataAttr().bands));
        expect_part_is_rows_of_whole(info, idx, dtype);
        ASSERT_FALSE(HasFatalFailure());
        if (info.N_byte(idx) == 4 && !southFirst) continue; // geolocation

        // Origin value at stored [0][0] of the parameter, its tag beside it.
        const std::size_t origin = southFirst ? (h - 1) * w : 0;
        switch (dtype) {
        case DT_UINT16:
            EXPECT_EQ(info.shortRaster()[origin], synth_known::kOriginU16);
            EXPECT_EQ(info.shortRaster()[origin + 1], synth_known::kTagBase + idx);
            break;
        case DT_INT16:
            EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster()[origin]), synth_known::kOriginI16);
            EXPECT_EQ(static_cast<std::int16_t>(info.shortRaster()[origin + 1]),
                      synth_known::kTagBase + static_cast<int>(idx));
            break;
        case DT_UINT8:
            EXPECT_EQ(info.byteRaster()[origin], synth_known::kOriginU8);
            EXPECT_EQ(info.byteRaster()[origin + 1], synth_known::kTagBaseU8 + idx);
            break;
        case DT_FLOAT32:
            EXPECT_NEAR(info.floatRaster()[origin], synth_known::kOriginFloat * pi.scale, 1e-4);
            EXPECT_NEAR(info.floatRaster()[origin + 1], (synth_known::kTagBase + idx) * pi.scale, 1e-3);
            break;
        default: ADD_FAILURE() << "buffer code " << dtype;
        }
    }
    std::int32_t dtype = 0;
    EXPECT_FALSE(info.get_dataSource(info.N_count(), dtype));
    EXPECT_EQ(info.N_pixel(info.N_count()), 0u);
    if (is_swath_kind(info.getType()) && !is_gcomc_kind(info.getType())) {
        earthPoint_t corners[4];
        info.get_Corner(corners);
        for (const auto& p : corners) {
            EXPECT_LE(std::abs(p.lat), 90.0);
            EXPECT_LE(std::abs(p.lon), 360.0);
        }
    }
}

std::string case_name(const ::testing::TestParamInfo<synth_case>& info)
{
    std::string name = info.param.kindName;
    for (const auto& [k, v] : info.param.set) name += "_" + k + "_" + v;
    for (auto& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SynthHdf5Products, ::testing::ValuesIn(all_cases()), case_name);

} // namespace

} // namespace vardane
