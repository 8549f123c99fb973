#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "settings/spconverter.h"

namespace {

std::vector<std::string> keys(const spconverter& cvt, SettingType kind) { return cvt.get_key_list(kind); }

optSet_t entry_of(const spconverter& cvt, SettingType kind, const std::string& key)
{
    optSet_t entry;
    EXPECT_TRUE(cvt.get_OptSetting(kind, key, entry)) << kind << " " << key;
    return entry;
}

} // namespace

TEST(VariableCatalogue, EveryListedKeyExistsWithDefaultColourBar)
{
    const spconverter cvt;
    const std::map<SettingType, std::size_t> sizes{
        {ST_GSMAP_HOURLY, 1},  {ST_GSMAP_MONTHLY, 1}, {ST_DPR_DAILY, 4},      {ST_DPR_MONTHLY, 15},
        {ST_DPRV7_DAILY, 6},   {ST_DPRV7_MONTHLY, 9}, {ST_GCOMW_L1AB, 16},    {ST_GCOMW_L1R, 40},
        {ST_GCOMW_L2HIGH, 2},  {ST_GCOMW_L2LOW, 9},   {ST_GCOMW_L3BT, 2},     {ST_GCOMW_L3GD, 10},
        {ST_AMSRE_L1AB, 16},   {ST_AMSRE_L1R, 40},    {ST_AMSRE_L2HIGH, 2},   {ST_AMSRE_L2LOW, 9},
        {ST_AMSRE_L3BT, 2},    {ST_AMSRE_L3GD, 10},   {ST_JASMES_GLOBAL, 20}, {ST_JASMES_JAPAN, 18},
        {ST_JASMES_THAILAND, 15}, {ST_JASMES_GOBI, 3}, {ST_GCOMC_VNR, 13},    {ST_GCOMC_POL, 14},
        {ST_GCOMC_IRS, 8},     {ST_GCOMC_NWLR, 11},   {ST_GCOMC_IWPR, 4},     {ST_GCOMC_SST, 3},
        {ST_GCOMC_LTOA, 33},   {ST_GCOMC_RSRF, 27},   {ST_GCOMC_LST, 4},      {ST_GCOMC_CLFG, 1}};
    for (const auto& [kind, size] : sizes) {
        const auto list = keys(cvt, kind);
        EXPECT_EQ(list.size(), size) << kind;
        std::vector<spcvt_listitem> all;
        cvt.selList(kind, all, 1000);
        std::size_t selected = 0;
        for (const std::string& key : list) {
            const optSet_t e = entry_of(cvt, kind, key);
            selected += e.flag ? 1 : 0;
            EXPECT_FALSE(e.custom_colorbar);
            EXPECT_EQ(e.cb_min, 0.0f);
            EXPECT_EQ(e.cb_max, 0.0f);
            EXPECT_FALSE(e.cb_log);
            EXPECT_EQ(e.invalid_values, "");
            EXPECT_FALSE(e.name.empty());
            EXPECT_LE(e.name.size(), 40u);
        }
        // No entry exists beyond the listed keys.
        EXPECT_EQ(all.size(), selected) << kind;
    }
    EXPECT_TRUE(keys(cvt, ST_NONE).empty());
}

TEST(VariableCatalogue, DeliberateOdditiesAreKept)
{
    const spconverter cvt;
    EXPECT_EQ(entry_of(cvt, ST_GSMAP_HOURLY, "PercipRate").name, "PRC");
    for (SettingType kind : {ST_GCOMC_VNR, ST_GCOMC_POL, ST_GCOMC_IRS}) {
        EXPECT_EQ(keys(cvt, kind).back(), "Land_warer_flag");
        EXPECT_EQ(entry_of(cvt, kind, "Land_warer_flag").name, "Land_water_flag");
    }
    EXPECT_EQ(keys(cvt, ST_GCOMC_NWLR).front(), "NELR_380");
    EXPECT_EQ(entry_of(cvt, ST_GCOMC_NWLR, "NELR_380").name, "NWLR_380");
    // LTOA and RSRF spell the key correctly.
    EXPECT_EQ(entry_of(cvt, ST_GCOMC_LTOA, "Land_water_flag").index, 32);
    EXPECT_EQ(entry_of(cvt, ST_GCOMC_RSRF, "Land_water_flag").index, 23);
    EXPECT_EQ(entry_of(cvt, ST_GCOMC_LTOA, "Lt_VN08P").index, 26);

    const optSet_t swe = entry_of(cvt, ST_GCOMW_L2LOW, "SWE");
    EXPECT_EQ(swe.name, "SND_SWE");
    EXPECT_EQ(swe.index, 1);
    EXPECT_TRUE(swe.flag);
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L3GD, "SST10GHz").index, 1);
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L3GD, "SST").name, "SST_STD");
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L3GD, "PRC").index, 0);
    EXPECT_EQ(keys(cvt, ST_GCOMW_L3GD),
              (std::vector<std::string>{"TPW", "CLW", "PRC", "SSW", "SST", "SST10GHz", "SND", "SWE",
                                        "SMC", "SIC"}));
    EXPECT_EQ(entry_of(cvt, ST_JASMES_JAPAN, "lst_").name, "olst");
    EXPECT_EQ(entry_of(cvt, ST_JASMES_GLOBAL, "1Krgb").name, "rgb");
    EXPECT_EQ(keys(cvt, ST_JASMES_JAPAN).front(), "alph");
    EXPECT_EQ(keys(cvt, ST_JASMES_GLOBAL).back(), "mds10c(Surface_Flag)");
    EXPECT_EQ(keys(cvt, ST_JASMES_JAPAN).back(), "Surface_Flag");
    for (const std::string& key : keys(cvt, ST_JASMES_GLOBAL)) EXPECT_EQ(entry_of(cvt, ST_JASMES_GLOBAL, key).index, 0);
}

TEST(VariableCatalogue, PrecipitationNamesFollowTheScanAndRainCodes)
{
    const spconverter cvt;
    const std::map<std::string, std::string> scan{{"KuNS", "KUN"}, {"KaMS", "KAM"}, {"KaHS", "KAH"},
                                                  {"DPRMS", "DPM"}, {"KuMS", "KUM"}, {"KuFS", "KUF"},
                                                  {"KaFS", "KAF"}, {"DPRFS", "DPF"}};
    const std::map<std::string, std::string> rain{{"stratiform", "STR"}, {"convective", "CON"}, {"all", "ALL"}};
    for (SettingType kind : {ST_DPR_MONTHLY, ST_DPRV7_MONTHLY}) {
        const auto list = keys(cvt, kind);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const auto blank = list[i].find(' ');
            const std::string expected =
                "PRC_" + scan.at(list[i].substr(0, blank)) + "_" + rain.at(list[i].substr(blank + 1));
            const optSet_t e = entry_of(cvt, kind, list[i]);
            EXPECT_EQ(e.name, expected);
            EXPECT_EQ(e.index, static_cast<int>(i));
            EXPECT_EQ(e.flag, kind == ST_DPRV7_MONTHLY || list[i] == "KuNS all") << list[i];
        }
    }
}

TEST(VariableCatalogue, PositionalKindsUseDisplayPositionAsIndex)
{
    const spconverter cvt;
    for (SettingType kind : {ST_DPR_DAILY, ST_DPRV7_DAILY, ST_GCOMW_L1AB, ST_GCOMW_L1R, ST_GCOMC_VNR,
                             ST_GCOMC_POL, ST_GCOMC_IRS, ST_GCOMC_NWLR, ST_GCOMC_IWPR, ST_GCOMC_SST,
                             ST_GCOMC_LTOA, ST_GCOMC_RSRF, ST_GCOMC_LST, ST_GCOMC_CLFG, ST_JASMES_GOBI}) {
        const auto list = keys(cvt, kind);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const optSet_t e = entry_of(cvt, kind, list[i]);
            EXPECT_EQ(e.index, static_cast<int>(i)) << kind << " " << list[i];
            EXPECT_TRUE(e.flag);
        }
    }
    // L1R names follow their keys: "BT (res10,36.5GHz,V)" -> "r10_36.5GHz_V".
    const auto l1r = keys(cvt, ST_GCOMW_L1R);
    EXPECT_EQ(l1r[21], "BT (res10,36.5GHz,V)");
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L1R, l1r[21]).name, "r10_36.5GHz_V");
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L1R, "BT (original,89GHz-B,V)").index, 39);
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L1AB, "OC BT (89.0GHz-A,V)").name, "89.0GHz-A_V");
}

TEST(VariableCatalogue, AmsreStartsAsCopyOfGcomw)
{
    spconverter cvt;
    for (int k = ST_GCOMW_L1AB; k <= ST_GCOMW_L3GD; ++k) {
        const auto gcomw = static_cast<SettingType>(k);
        const auto amsre = static_cast<SettingType>(k + 6);
        EXPECT_EQ(keys(cvt, gcomw), keys(cvt, amsre));
        EXPECT_EQ(cvt.get_dimensions(gcomw), cvt.get_dimensions(amsre));
        EXPECT_EQ(cvt.get_coordinates(gcomw), cvt.get_coordinates(amsre));
        EXPECT_EQ(cvt.get_valid_ranges(gcomw), cvt.get_valid_ranges(amsre));
        EXPECT_EQ(cvt.get_fill_values(gcomw), cvt.get_fill_values(amsre));
    }
    optSet_t change;
    change.name = "changed";
    ASSERT_TRUE(cvt.set_OptSetting(ST_AMSRE_L1R, "BT (res23,89.0GHz,V)", change));
    EXPECT_EQ(entry_of(cvt, ST_GCOMW_L1R, "BT (res23,89.0GHz,V)").name, "r23_89.0GHz_V");
}

TEST(NetcdfCatalogue, RadiometerAttributes)
{
    const spconverter cvt;
    const auto l1ab = cvt.get_dimensions(ST_GCOMW_L1AB);
    EXPECT_EQ(l1ab.size(), 63u);
    EXPECT_EQ(cvt.get_dimensions(ST_GCOMW_L1R).size(), 58u);
    EXPECT_EQ(cvt.get_dimensions(ST_GCOMW_L2HIGH).size(), 8u);
    EXPECT_EQ(cvt.get_dimensions(ST_GCOMW_L2LOW).size(), 5u);
    EXPECT_EQ(cvt.get_dimensions(ST_GCOMW_L3BT).size(), 10u);
    EXPECT_EQ(cvt.get_dimensions(ST_GCOMW_L3GD).size(), 6u);
    EXPECT_TRUE(cvt.get_dimensions(ST_GCOMC_SST).empty());
    EXPECT_TRUE(cvt.get_fill_values(ST_DPR_DAILY).empty());

    using names = std::vector<std::string>;
    EXPECT_EQ(l1ab.at("Spill_Over"), (names{"SpillOverDims", "SpillOverScan", "SpillOverSamples"}));
    EXPECT_EQ(l1ab.at("Land_Ocean_Flag_89"), (names{"LandOcean89Dims", "time", "For89ASamples"}));
    EXPECT_EQ(l1ab.at("Pixel_Data_Quality_6_to_36"), (names{"time", "For89ASamples"}));
    EXPECT_EQ(l1ab.at("Scan_Time"), (names{"time"}));

    const auto coords = cvt.get_coordinates(ST_GCOMW_L1AB);
    EXPECT_EQ(coords.size(), 32u);
    EXPECT_EQ(coords.at("Observation_Count__89_0GHz_B_V_"),
              "Longitude_of_Observation_Point_for_89B Latitude_of_Observation_Point_for_89B");
    EXPECT_EQ(coords.at("Brightness_Temperature__6_9GHz_H_"), "lon lat");
    EXPECT_EQ(coords.count("lat"), 0u);

    const auto ranges = cvt.get_valid_ranges(ST_GCOMW_L1AB);
    EXPECT_EQ(ranges.size(), 32u);
    EXPECT_EQ(ranges.at("Observation_Count__10_7GHz_V_"), (std::vector<float>{-2048.0f, 2048.0f}));
    EXPECT_EQ(ranges.at("Brightness_Temperature__89_0GHz_A_H_"), (std::vector<float>{1000.0f, 50000.0f}));

    const auto fills = cvt.get_fill_values(ST_GCOMW_L1AB);
    EXPECT_EQ(fills.size(), 40u);
    EXPECT_EQ(fills.at("Brightness_Temperature__36_5GHz_V_"), 65535.0f);
    EXPECT_EQ(fills.at("Hot_Load_Count_89"), -32768.0f);
    EXPECT_EQ(fills.at("PCD_Data"), -1.0f);
    EXPECT_EQ(fills.count("Interpolation_Flag_89"), 0u);

    const auto l1r = cvt.get_dimensions(ST_GCOMW_L1R);
    EXPECT_EQ(l1r.at("Area_Mean_Height"), (names{"time", "Except89Samples"}));
    EXPECT_EQ(l1r.count("Spill_Over"), 0u);
    EXPECT_EQ(cvt.get_fill_values(ST_GCOMW_L1R).size(), 40u);
    EXPECT_EQ(cvt.get_coordinates(ST_GCOMW_L1R).at("Brightness_Temperature__original_89GHz_A_V_"),
              "Longitude_of_Observation_Point_for_89A Latitude_of_Observation_Point_for_89A");

    EXPECT_EQ(cvt.get_coordinates(ST_GCOMW_L2LOW).at("Geophysical_Data"),
              "Longitude_of_Observation_Point Latitude_of_Observation_Point");
    EXPECT_EQ(cvt.get_fill_values(ST_GCOMW_L3GD), (std::map<std::string, float>{{"Geophysical_Data", -32768.0f}}));
    EXPECT_EQ(cvt.get_valid_ranges(ST_GCOMW_L3BT).size(), 2u);
    EXPECT_EQ(cvt.get_dimensions(ST_GCOMW_L3GD).at("Total_Number"), (names{"line", "pixel", "DataDims"}));
}
