#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_support.h"

namespace vardane {

namespace {

std::vector<std::string> keys_of(const std::vector<spcvt_listitem>& items)
{
    std::vector<std::string> keys;
    for (const auto& item : items) keys.push_back(item.key);
    return keys;
}

optSet_t named(const std::string& name, bool flag = false)
{
    optSet_t entry;
    entry.flag = flag;
    entry.name = name;
    return entry;
}

} // namespace

TEST(OptionLookup, KeysAreBlankTrimmedSettersChangeOnlyTheirPartAndNothingIsCreated)
{
    spconverter cvt;
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "  TPW  ").name, "TPW");

    optSet_t untouched = named("marker");
    // Only blanks are trimmed (a tab is part of the key); keys compare byte-wise.
    for (const char* key : {"", "    ", "\tTPW", "tpw"}) {
        EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, key, untouched)) << key;
    }
    EXPECT_FALSE(cvt.get_OptSetting(ST_NONE, "TPW", untouched));
    EXPECT_FALSE(cvt.get_OptSetting(static_cast<SettingType>(99), "TPW", untouched));
    EXPECT_EQ(untouched.name, "marker");

    optSet_t change{false, "  OTHER  ", 9, true, -1.5f, 300.0f, true, "1,2,3"};
    ASSERT_TRUE(cvt.set_OptSetting(ST_GCOMW_L2LOW, " SWE ", change));
    // The name is stored trimmed; the index is never written by a setter.
    EXPECT_EQ(entry_text(cvt, ST_GCOMW_L2LOW, "SWE"), "0,OTHER | 0,0,0,0,");
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L2LOW, "SWE").index, 1);

    change.flag = true;
    change.name = "ignored";
    ASSERT_TRUE(cvt.set_CbOptSetting(ST_GCOMW_L2LOW, "SWE", change));
    EXPECT_EQ(entry_text(cvt, ST_GCOMW_L2LOW, "SWE"), "0,OTHER | 1,-1.5,300,1,1,2,3");

    EXPECT_FALSE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "PRC", change)); // only in L3GD
    EXPECT_FALSE(cvt.set_CbOptSetting(ST_GCOMW_L2LOW, "NEW", change));
    EXPECT_FALSE(cvt.set_CbOptSetting(ST_NONE, "SWE", change));
    EXPECT_FALSE(cvt.set_CbOptSetting(ST_GCOMW_L2LOW, "  ", change));
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "PRC", untouched));
    EXPECT_FALSE(cvt.get_OptSetting(ST_GCOMW_L2LOW, "NEW", untouched));
}

TEST(SelectionList, ByteWiseKeyOrderLayerLimitAndAppending)
{
    spconverter cvt;
    std::vector<spcvt_listitem> list;
    cvt.selList(ST_DPR_MONTHLY, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].index, 2);
    EXPECT_EQ(list[0].key, "KuNS all");
    EXPECT_EQ(list[0].name, "PRC_KUN_ALL");

    const struct {
        int limit;
        std::vector<std::string> keys;
    } limits[] = {{0, {}}, {1, {"PRC for 89A"}}, {2, {"PRC for 89A", "PRC for 89B"}}};
    for (const auto& l : limits) {
        std::vector<spcvt_listitem> high;
        cvt.selList(ST_GCOMW_L2HIGH, high, l.limit);
        EXPECT_EQ(keys_of(high), l.keys) << l.limit;
    }

    ASSERT_TRUE(cvt.set_OptSetting(ST_GCOMW_L2LOW, "SST", named("SST")));
    list = {{5, "kept", "kept"}};
    cvt.selList(ST_GCOMW_L2LOW, list);
    EXPECT_EQ(keys_of(list),
              (std::vector<std::string>{"kept", "CLW", "SIC", "SMC", "SND", "SST10GHz", "SSW", "SWE", "TPW"}));

    list.clear();
    cvt.selList(ST_NONE, list);
    cvt.selList(ST_NONE, list, 100);
    EXPECT_TRUE(list.empty());
}

// Each shortcut must reach its own kind: a copied line pointing at the
// neighbouring kind would go unnoticed by the dialogs.
TEST(Shortcuts, EachReachesItsKind)
{
    using getter = bool (spconverter::*)(const std::string&, optSet_t&) const;
    const struct {
        getter get;
        SettingType kind;
        const char* key;
    } fixed[] = {
        {&spconverter::get_OptSet_GSMap_HourlyL3, ST_GSMAP_HOURLY, "PercipRate"},
        {&spconverter::get_OptSet_JASMES_Global, ST_JASMES_GLOBAL, "lst"},
        {&spconverter::get_OptSet_JASMES_Japan, ST_JASMES_JAPAN, "alph"},
        {&spconverter::get_OptSet_JASMES_Thailand, ST_JASMES_THAILAND, "tau_500"},
        {&spconverter::get_OptSet_JASMES_Gobi, ST_JASMES_GOBI, "taua"},
    };
    for (const auto& s : fixed) {
        spconverter cvt;
        ASSERT_TRUE(cvt.set_OptSetting(s.kind, s.key, named("changed"))) << s.key;
        optSet_t entry;
        ASSERT_TRUE((cvt.*s.get)(s.key, entry));
        EXPECT_EQ(entry.name, "changed") << s.kind;
    }
    spconverter hourly;
    ASSERT_TRUE(hourly.set_OptSet_GSMap_HourlyL3("PercipRate", named("changed")));
    EXPECT_EQ(entry_of(hourly, ST_GSMAP_HOURLY, "PercipRate").name, "changed");
    EXPECT_NE(entry_of(hourly, ST_GSMAP_MONTHLY, "PercipRate").name, "changed");

    using amsr_getter = bool (spconverter::*)(AmsrType, const std::string&, optSet_t&) const;
    using amsr_setter = bool (spconverter::*)(AmsrType, const std::string&, const optSet_t&);
    const struct {
        amsr_getter get;
        amsr_setter set;
        SettingType gcomw;
        const char* key;
    } radiometer[] = {
        {&spconverter::get_OptSet_AMSR_L1AB, &spconverter::set_OptSet_AMSR_L1AB, ST_GCOMW_L1AB, "OC BT (6.9GHz,H)"},
        {&spconverter::get_OptSet_AMSR_L2Low, &spconverter::set_OptSet_AMSR_L2Low, ST_GCOMW_L2LOW, "CLW"},
        {&spconverter::get_OptSet_AMSR_L3GD, &spconverter::set_OptSet_AMSR_L3GD, ST_GCOMW_L3GD, "SND"},
    };
    for (const auto& s : radiometer) {
        // AT_AMSRE picks the AMSR-E row (six kinds later); any other value GCOM-W.
        for (const AmsrType type : {AT_AMSRE, AT_AMSR2, static_cast<AmsrType>(7)}) {
            const SettingType written = type == AT_AMSRE ? static_cast<SettingType>(s.gcomw + 6) : s.gcomw;
            const SettingType other = type == AT_AMSRE ? s.gcomw : static_cast<SettingType>(s.gcomw + 6);
            spconverter cvt;
            ASSERT_TRUE((cvt.*s.set)(type, s.key, named("changed"))) << s.key;
            EXPECT_EQ(entry_of(cvt, written, s.key).name, "changed") << type;
            EXPECT_NE(entry_of(cvt, other, s.key).name, "changed") << type;
            optSet_t entry;
            ASSERT_TRUE((cvt.*s.get)(type, s.key, entry));
            EXPECT_EQ(entry.name, "changed") << s.key << " " << type;
        }
    }
}

TEST(KindTexts, CustomColourTableNamesArePlainFileNames)
{
    const spconverter cvt;
    EXPECT_EQ(cvt.get_custom_clt(ST_GCOMW_L1R, "BT (res06,6.9GHz,H)"), "custom_amsr2_l1r_BT__res06_6_9GHz_H_");
    EXPECT_EQ(cvt.get_custom_clt(ST_AMSRE_L3GD, "SST10GHz"), "custom_amsre_l3gd_SST10GHz");
    EXPECT_EQ(cvt.get_custom_clt(ST_GCOMC_SST, "SST"), "");
    EXPECT_EQ(cvt.get_custom_clt(static_cast<SettingType>(-3), "SST"), "");
    EXPECT_EQ(cvt.get_custom_clt(ST_JASMES_JAPAN, "../x/y"), "custom_jasmes_j____x_y");
}

} // namespace vardane
