#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/spconverter.h"

namespace {

std::vector<std::string> keys_of(const std::vector<spcvt_listitem>& items)
{
    std::vector<std::string> keys;
    for (const auto& item : items) keys.push_back(item.key);
    return keys;
}

} // namespace

TEST(OptionLookup, KeysAreBlankTrimmedAndBlankKeysFail)
{
    const spconverter cvt;
    optSet_t entry;
    ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "  TPW  ", entry));
    EXPECT_EQ(entry.name, "TPW");
    EXPECT_TRUE(entry.flag);

    optSet_t untouched;
    untouched.name = "marker";
    untouched.index = 77;
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "", untouched));
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "    ", untouched));
    // Only blanks are trimmed: a tab is part of the key.
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "\tTPW", untouched));
    EXPECT_FALSE(cvt.get_OptSetting(ST_NONE, "TPW", untouched));
    EXPECT_FALSE(cvt.get_OptSetting(static_cast<SettingType>(99), "TPW", untouched));
    // Keys compare byte-wise: no case folding.
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "tpw", untouched));
    EXPECT_EQ(untouched.name, "marker");
    EXPECT_EQ(untouched.index, 77);
}

TEST(OptionLookup, NameRulesOfSetOptSetting)
{
    spconverter cvt;
    optSet_t change;
    change.flag = false;

    change.name = std::string(40, 'n');
    EXPECT_TRUE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "TPW", change));
    optSet_t stored;
    ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "TPW", stored));
    EXPECT_EQ(stored.name, std::string(40, 'n'));
    EXPECT_FALSE(stored.flag);

    for (const std::string& bad : {std::string(41, 'n'), std::string(), std::string("   "),
                                  std::string("two words"), std::string("tab\tname")}) {
        change.name = bad;
        change.flag = true;
        EXPECT_FALSE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "TPW", change)) << bad;
        ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "TPW", stored));
        EXPECT_EQ(stored.name, std::string(40, 'n')) << bad;
        EXPECT_FALSE(stored.flag) << bad;
    }

    change.name = "  padded  ";
    EXPECT_TRUE(cvt.set_OptSetting(ST_GCOMW_L2LOW, " TPW ", change));
    ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "TPW", stored));
    EXPECT_EQ(stored.name, "padded");
    EXPECT_TRUE(stored.flag);
}

TEST(OptionLookup, SettersChangeOnlyTheirPartAndNeverCreateKeys)
{
    spconverter cvt;
    optSet_t change;
    change.flag = false;
    change.name = "OTHER";
    change.index = 9;  // never written by a setter
    change.custom_colorbar = true;
    change.cb_min = -1.5f;
    change.cb_max = 300.0f;
    change.cb_log = true;
    change.invalid_values = "1,2,3";

    ASSERT_TRUE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "SWE", change));
    optSet_t stored;
    ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "SWE", stored));
    EXPECT_EQ(stored.name, "OTHER");
    EXPECT_EQ(stored.index, 1);
    EXPECT_FALSE(stored.custom_colorbar);
    EXPECT_EQ(stored.invalid_values, "");

    ASSERT_TRUE(cvt.set_CbOptSetting(ST_GCOMW_L2LOW, "SWE", change));
    ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "SWE", stored));
    EXPECT_EQ(stored.name, "OTHER");
    EXPECT_FALSE(stored.flag);
    EXPECT_EQ(stored.index, 1);
    EXPECT_TRUE(stored.custom_colorbar);
    EXPECT_FLOAT_EQ(stored.cb_min, -1.5f);
    EXPECT_FLOAT_EQ(stored.cb_max, 300.0f);
    EXPECT_TRUE(stored.cb_log);
    EXPECT_EQ(stored.invalid_values, "1,2,3");

    EXPECT_FALSE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "PRC", change));  // only in L3GD
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "PRC", stored));
    EXPECT_FALSE(cvt.set_CbOptSetting(ST_GCOMW_L2LOW, "NEW", change));
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "NEW", stored));
    EXPECT_FALSE(cvt.set_CbOptSetting(ST_NONE, "SWE", change));
    EXPECT_FALSE(cvt.set_CbOptSetting(ST_GCOMW_L2LOW, "  ", change));
    EXPECT_EQ(cvt.get_key_list(ST_GCOMW_L2LOW).size(), 9u);
}

TEST(SelectionList, DefaultsOfDprMonthlyAndTheLayerLimit)
{
    const spconverter cvt;
    std::vector<spcvt_listitem> list;
    cvt.selList(ST_DPR_MONTHLY, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].index, 2);
    EXPECT_EQ(list[0].key, "KuNS all");
    EXPECT_EQ(list[0].name, "PRC_KUN_ALL");

    std::vector<spcvt_listitem> high;
    cvt.selList(ST_GCOMW_L2HIGH, high, 1);
    ASSERT_EQ(high.size(), 1u);
    EXPECT_EQ(high[0].index, 0);
    EXPECT_EQ(high[0].key, "PRC for 89A");
    EXPECT_EQ(high[0].name, "PRC_89A");

    high.clear();
    cvt.selList(ST_GCOMW_L2HIGH, high, 2);
    EXPECT_EQ(keys_of(high), (std::vector<std::string>{"PRC for 89A", "PRC for 89B"}));
    high.clear();
    cvt.selList(ST_GCOMW_L2HIGH, high, 0);
    EXPECT_TRUE(high.empty());
}

TEST(SelectionList, ByteWiseKeyOrderAppendsAndSkipsUnselected)
{
    spconverter cvt;
    std::vector<spcvt_listitem> list{{5, "kept", "kept"}};
    cvt.selList(ST_GCOMW_L2LOW, list);
    EXPECT_EQ(keys_of(list), (std::vector<std::string>{"kept", "CLW", "SIC", "SMC", "SND", "SST",
                                                       "SST10GHz", "SSW", "SWE", "TPW"}));

    std::vector<spcvt_listitem> ltoa;
    cvt.selList(ST_GCOMC_LTOA, ltoa);
    ASSERT_EQ(ltoa.size(), 33u);
    EXPECT_EQ(ltoa.front().key, "Land_water_flag");
    EXPECT_EQ(ltoa.front().index, 32);
    EXPECT_EQ(ltoa.back().key, "QA_flag");
    for (std::size_t i = 1; i < ltoa.size(); ++i) EXPECT_LT(ltoa[i - 1].key, ltoa[i].key);

    optSet_t off;
    ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "SST", off));
    off.flag = false;
    ASSERT_TRUE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "SST", off));
    list.clear();
    cvt.selList(ST_GCOMW_L2LOW, list);
    EXPECT_EQ(list.size(), 8u);
    for (const auto& item : list) EXPECT_NE(item.key, "SST");

    list.clear();
    cvt.selList(ST_NONE, list);
    cvt.selList(ST_NONE, list, 100);
    EXPECT_TRUE(list.empty());
}

TEST(RadiometerShortcuts, AmsrTypePicksTheRowAndRowsAreIndependent)
{
    spconverter cvt;
    optSet_t change;
    change.flag = false;
    change.name = "AMSRE_ONLY";
    ASSERT_TRUE(cvt.set_OptSet_AMSR_L1R(AT_AMSRE, "BT (res06,6.9GHz,H)", change));

    optSet_t gcomw;
    optSet_t amsre;
    ASSERT_TRUE(cvt.get_OptSetting(ST_GCOMW_L1R, "BT (res06,6.9GHz,H)", gcomw));
    ASSERT_TRUE(cvt.get_OptSetting(ST_AMSRE_L1R, "BT (res06,6.9GHz,H)", amsre));
    EXPECT_EQ(gcomw.name, "r06_6.9GHz_H");
    EXPECT_TRUE(gcomw.flag);
    EXPECT_EQ(amsre.name, "AMSRE_ONLY");
    EXPECT_FALSE(amsre.flag);

    change.name = "GCOMW_ONLY";
    ASSERT_TRUE(cvt.set_OptSet_AMSR_L3GD(AT_AMSR2, "SND", change));
    ASSERT_TRUE(cvt.get_OptSet_AMSR_L3GD(AT_AMSRE, "SND", amsre));
    EXPECT_EQ(amsre.name, "SND");
    ASSERT_TRUE(cvt.get_OptSet_AMSR_L3GD(AT_AMSR2, "SND", gcomw));
    EXPECT_EQ(gcomw.name, "GCOMW_ONLY");
    // Any value other than AT_AMSRE reads the GCOM-W row.
    ASSERT_TRUE(cvt.get_OptSet_AMSR_L3GD(static_cast<AmsrType>(7), "SND", gcomw));
    EXPECT_EQ(gcomw.name, "GCOMW_ONLY");

    struct probe {
        bool (spconverter::*get)(AmsrType, const std::string&, optSet_t&) const;
        const char* key;
        SettingType amsre_kind;
    };
    for (const probe p : {probe{&spconverter::get_OptSet_AMSR_L1AB, "OC BT (6.9GHz,H)", ST_AMSRE_L1AB},
                          probe{&spconverter::get_OptSet_AMSR_L2High, "PRC for 89B", ST_AMSRE_L2HIGH},
                          probe{&spconverter::get_OptSet_AMSR_L2Low, "CLW", ST_AMSRE_L2LOW},
                          probe{&spconverter::get_OptSet_AMSR_L3BT, "Brightness Temperature (V)",
                                ST_AMSRE_L3BT}}) {
        ASSERT_TRUE(cvt.set_CbOptSetting(p.amsre_kind, p.key, optSet_t{false, "", 0, true, 1, 2, false, "x"}));
        optSet_t got;
        ASSERT_TRUE((cvt.*p.get)(AT_AMSRE, p.key, got)) << p.key;
        EXPECT_EQ(got.invalid_values, "x") << p.key;
        ASSERT_TRUE((cvt.*p.get)(AT_AMSR2, p.key, got)) << p.key;
        EXPECT_EQ(got.invalid_values, "") << p.key;
    }
}

TEST(FixedKindShortcuts, ForwardToTheirKind)
{
    spconverter cvt;
    optSet_t entry;
    EXPECT_TRUE(cvt.get_OptSet_GSMap_HourlyL3("PercipRate", entry));
    EXPECT_TRUE(cvt.get_OptSet_GSMap_MonthlyL3("PercipRate", entry));
    EXPECT_TRUE(cvt.get_OptSet_DPR_DailyL3("KuNS Ascending", entry));
    EXPECT_EQ(entry.name, "PRC_KUN_A");
    EXPECT_TRUE(cvt.get_OptSet_DPR_MonthlyL3("KaHS convective", entry));
    EXPECT_EQ(entry.name, "PRC_KAH_CON");
    EXPECT_TRUE(cvt.get_OptSet_JASMES_Global("lst", entry));
    EXPECT_FALSE(cvt.get_OptSet_JASMES_Japan("lst", entry));
    EXPECT_TRUE(cvt.get_OptSet_JASMES_Japan("alph", entry));
    EXPECT_FALSE(cvt.get_OptSet_JASMES_Thailand("alph", entry));
    EXPECT_TRUE(cvt.get_OptSet_JASMES_Gobi("taua", entry));
    EXPECT_EQ(entry.index, 1);

    optSet_t change;
    change.flag = false;
    change.name = "hourly";
    ASSERT_TRUE(cvt.set_OptSet_GSMap_HourlyL3("PercipRate", change));
    ASSERT_TRUE(cvt.get_OptSet_GSMap_MonthlyL3("PercipRate", entry));
    EXPECT_EQ(entry.name, "PRC");
    ASSERT_TRUE(cvt.get_OptSet_GSMap_HourlyL3("PercipRate", entry));
    EXPECT_EQ(entry.name, "hourly");
    EXPECT_FALSE(cvt.set_OptSet_JASMES_Gobi("lst", change));
}

TEST(KindTexts, CategoryMarkerAndCustomTableNames)
{
    const spconverter cvt;
    EXPECT_EQ(cvt.get_category_text(ST_NONE), "");
    EXPECT_EQ(cvt.get_category_text(ST_DPRV7_MONTHLY), "DPR(v7) Monthly L3");
    EXPECT_EQ(cvt.get_category_text(ST_AMSRE_L1AB), "AQUA AMSR-E L1B");
    EXPECT_EQ(cvt.get_category_text(ST_JASMES_GOBI), "JASMES Gobi Desert Area");
    EXPECT_EQ(cvt.get_category_text(ST_GCOMC_CLFG), "GCOM-C L2 CLFG");
    EXPECT_EQ(cvt.get_section_marker(ST_NONE), "#NONE");
    EXPECT_EQ(cvt.get_section_marker(ST_GSMAP_HOURLY), "#GSMap/HourlyL3");

    EXPECT_EQ(cvt.get_custom_clt(ST_GCOMW_L1R, "BT (res06,6.9GHz,H)"),
              "custom_amsr2_l1r_BT__res06_6_9GHz_H_");
    EXPECT_EQ(cvt.get_custom_clt(ST_JASMES_GLOBAL, "tau_500"), "custom_jasmes_a_tau_500");
    EXPECT_EQ(cvt.get_custom_clt(ST_AMSRE_L3GD, "SST10GHz"), "custom_amsre_l3gd_SST10GHz");
    EXPECT_EQ(cvt.get_custom_clt(ST_DPRV7_DAILY, "KuFS Ascending"),
              "custom_gpm_dprv7_day_l3_KuFS_Ascending");
    EXPECT_EQ(cvt.get_custom_clt(ST_GCOMC_SST, "SST"), "");
    EXPECT_EQ(cvt.get_custom_clt(ST_NONE, "SST"), "");
    EXPECT_EQ(cvt.get_custom_clt(static_cast<SettingType>(-3), "SST"), "");
    // The name is always a plain file name, whatever the key holds.
    EXPECT_EQ(cvt.get_custom_clt(ST_JASMES_JAPAN, "../x/y"), "custom_jasmes_j____x_y");
}
