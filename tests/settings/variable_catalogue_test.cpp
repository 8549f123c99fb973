#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/output_name.h"
#include "settings_test_support.h"

namespace vardane {

// Rules every row of the catalogue must keep, rather than the rows themselves.
TEST(VariableCatalogue, EveryKindHoldsValidEntriesAndNothingUnlisted)
{
    const spconverter cvt;
    EXPECT_TRUE(cvt.get_key_list(ST_NONE).empty());
    for (int k = 1; k <= 32; ++k) {
        const auto kind = static_cast<SettingType>(k);
        const auto keys = cvt.get_key_list(kind);
        EXPECT_FALSE(keys.empty()) << kind;
        std::size_t selected = 0;
        for (const std::string& key : keys) {
            const optSet_t e = entry_of(cvt, kind, key);
            selected += e.flag ? 1 : 0;
            // A built-in name the dialogs would refuse could never be saved back.
            EXPECT_TRUE(is_valid_output_name(e.name)) << kind << " " << key;
            EXPECT_TRUE(entry_text(e).ends_with(" | 0,0,0,0,")) << key;
        }
        std::vector<spcvt_listitem> all;
        cvt.selList(kind, all, 1000);
        EXPECT_EQ(all.size(), selected) << kind << ": an entry outside the key list";
        for (const auto& [set, range] : cvt.get_valid_ranges(kind)) {
            ASSERT_EQ(range.size(), 2u) << set;
            EXPECT_LT(range[0], range[1]) << set;
        }
    }
}

// Existing settings files hold these keys as they are spelled here.
TEST(VariableCatalogue, MisspelledKeysOfExistingFilesAreKept)
{
    const spconverter cvt;
    for (SettingType kind : {ST_GCOMC_VNR, ST_GCOMC_POL, ST_GCOMC_IRS}) {
        EXPECT_EQ(entry_of(cvt, kind, "Land_warer_flag").name, "Land_water_flag");
    }
    EXPECT_EQ(entry_of(cvt, ST_GCOMC_NWLR, "NELR_380").name, "NWLR_380");
    EXPECT_EQ(entry_of(cvt, ST_GCOMC_LTOA, "Land_water_flag").index, 32);
}

// The reader picks the layer by index: in these kinds it is the display position.
TEST(VariableCatalogue, PositionalKindsUseDisplayPositionAsIndex)
{
    const spconverter cvt;
    for (SettingType kind : {ST_DPR_DAILY, ST_DPR_MONTHLY, ST_DPRV7_DAILY, ST_DPRV7_MONTHLY, ST_GCOMW_L1AB,
                             ST_GCOMW_L1R, ST_GCOMC_VNR, ST_GCOMC_POL, ST_GCOMC_IRS, ST_GCOMC_NWLR, ST_GCOMC_IWPR,
                             ST_GCOMC_SST, ST_GCOMC_LTOA, ST_GCOMC_RSRF, ST_GCOMC_LST, ST_GCOMC_CLFG, ST_JASMES_GOBI}) {
        const auto keys = cvt.get_key_list(kind);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            EXPECT_EQ(entry_of(cvt, kind, keys[i]).index, static_cast<int>(i)) << kind << " " << keys[i];
        }
    }
    // Layers shared by one data set are picked by the layer number instead.
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "SWE").index, 1);
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L3GD, "SST10GHz").index, 1);
    EXPECT_EQ(entry_of(cvt, ST_JASMES_GLOBAL, "1Krgb").index, 0);
}

TEST(VariableCatalogue, AmsreStartsAsACopyOfGcomw)
{
    const spconverter cvt;
    for (int k = ST_GCOMW_L1AB; k <= ST_GCOMW_L3GD; ++k) {
        const auto gcomw = static_cast<SettingType>(k);
        const auto amsre = static_cast<SettingType>(k + 6);
        EXPECT_EQ(cvt.get_key_list(gcomw), cvt.get_key_list(amsre));
        EXPECT_EQ(cvt.get_dimensions(gcomw), cvt.get_dimensions(amsre));
        EXPECT_EQ(cvt.get_coordinates(gcomw), cvt.get_coordinates(amsre));
        EXPECT_EQ(cvt.get_valid_ranges(gcomw), cvt.get_valid_ranges(amsre));
        EXPECT_EQ(cvt.get_fill_values(gcomw), cvt.get_fill_values(amsre));
    }
}

} // namespace vardane
