#pragma once

namespace vardane {

// The option dialog's groups as users know them: for every group its page,
// control name, title, colour-bar button (empty: none) and its rows, each
// "part|label|key" (the key is the label when left out). Written out by
// hand so that a slip in the program's own tables shows.
namespace option_layout {

struct group {
    const char* page;
    const char* control;
    const char* title;
    const char* button;
    const char* rows;
};

#define L1AB_ROWS                                                                                                      \
    "AB_6_9GHz_H|6.9GHz,H|OC BT (6.9GHz,H);AB_6_9GHz_V|6.9GHz,V|OC BT (6.9GHz,V);"                                     \
    "AB_7_3GHz_H|7.3GHz,H|OC BT (7.3GHz,H);AB_7_3GHz_V|7.3GHz,V|OC BT (7.3GHz,V);"                                     \
    "AB_10_7GHz_H|10.7GHz,H|OC BT (10.7GHz,H);AB_10_7GHz_V|10.7GHz,V|OC BT (10.7GHz,V);"                               \
    "AB_18_7GHz_H|18.7GHz,H|OC BT (18.7GHz,H);AB_18_7GHz_V|18.7GH,V|OC BT (18.7GHz,V);"                                \
    "AB_23_8GHz_H|23.8GHz,H|OC BT (23.8GHz,H);AB_23_8GHz_V|23.8GHz,V|OC BT (23.8GHz,V);"                               \
    "AB_36_5GHz_H|36.5GHz,H|OC BT (36.5GHz,H);AB_36_5GHz_V|36.5GHz,V|OC BT (36.5GHz,V);"                               \
    "AB_89_0GHz_A_H|89.0GHz-A,H|OC BT (89.0GHz-A,H);AB_89_0GHz_A_V|89.0GHz-A,V|OC BT (89.0GHz-A,V);"                   \
    "AB_89_0GHz_B_H|89.0GHz-B,H|OC BT (89.0GHz-B,H);AB_89_0GHz_B_V|89.0GHz-B,V|OC BT (89.0GHz-B,V)"

#define L1R_ROWS                                                                                                       \
    "r06_6_9GHz_H|6.9GHz,H|BT (res06,6.9GHz,H);r06_6_9GHz_V|6.9GHz,V|BT (res06,6.9GHz,V);"                             \
    "r06_7_3GHz_H|7.3GHz,H|BT (res06,7.3GHz,H);r06_7_3GHz_V|7.3GHz,V|BT (res06,7.3GHz,V);"                             \
    "r06_10_7GHz_H|10.7GHz,H|BT (res06,10.7GHz,H);r06_10_7GHz_V|10.7GHz,V|BT (res06,10.7GHz,V);"                       \
    "r06_18_7GHz_H|18.7GHz,H|BT (res06,18.7GHz,H);r06_18_7GHz_V|18.7GH,V|BT (res06,18.7GHz,V);"                        \
    "r06_23_8GHz_H|23.8GHz,H|BT (res06,23.8GHz,H);r06_23_8GHz_V|23.8GHz,V|BT (res06,23.8GHz,V);"                       \
    "r06_36_5GHz_H|36.5GHz,H|BT (res06,36.5GHz,H);r06_36_5GHz_V|36.5GHz,V|BT (res06,36.5GHz,V);"                       \
    "r06_89_0GHz_H|89.0GHz,H|BT (res06,89.0GHz,H);r06_89_0GHz_V|89.0GHz,V|BT (res06,89.0GHz,V);"                       \
    "r10_10_7GHz_H|10.7GHz,H|BT (res10,10.7GHz,H);r10_10_7GHz_V|10.7GHz,V|BT (res10,10.7GHz,V);"                       \
    "r10_18_7GHz_H|18.7GHz,H|BT (res10,18.7GHz,H);r10_18_7GHz_V|18.7GHz,V|BT (res10,18.7GHz,V);"                       \
    "r10_23_8GHz_H|23.8GHz,H|BT (res10,23.8GHz,H);r10_23_8GHz_V|23.8GHz,V|BT (res10,23.8GHz,V);"                       \
    "r10_36_5GHz_H|36.5GHz,H|BT (res10,36.5GHz,H);r10_36_5GHz_V|36.5GHz,V|BT (res10,36.5GHz,V);"                       \
    "r10_89_0GHz_H|89.0GHz,H|BT (res10,89.0GHz,H);r10_89_0GHz_V|89.0GHz,V|BT (res10,89.0GHz,V);"                       \
    "r23_18_7GHz_H|18.7GHz,H|BT (res23,18.7GHz,H);r23_18_7GHz_V|18.7GHz,V|BT (res23,18.7GHz,V);"                       \
    "r23_23_8GHz_H|23.8GHz,H|BT (res23,23.8GHz,H);r23_23_8GHz_V|23.8GHz,V|BT (res23,23.8GHz,V);"                       \
    "r23_36_5GHz_H|36.5GHz,H|BT (res23,36.5GHz,H);r23_36_5GHz_V|36.5GHz,V|BT (res23,36.5GHz,V);"                       \
    "r23_89_0GHz_H|89.0GHz,H|BT (res23,89.0GHz,H);r23_89_0GHz_V|89.0GHz,V|BT (res23,89.0GHz,V);"                       \
    "r36_36_5GHz_H|36.5GHz,H|BT (res36,36.5GHz,H);r36_36_5GHz_V|36.5GHz,V|BT (res36,36.5GHz,V);"                       \
    "r36_89_0GHz_H|89.0GHz,H|BT (res36,89.0GHz,H);r36_89_0GHz_V|89.0GHz,V|BT (res36,89.0GHz,V);"                       \
    "org_89_0GHz_A_H|89GHz-A,H|BT (original,89GHz-A,H);org_89_0GHz_A_V|89GHz-A,V|BT (original,89GHz-A,V);"             \
    "org_89_0GHz_B_H|89GHz-B,H|BT (original,89GHz-B,H);org_89_0GHz_B_V|89GHz-B,V|BT (original,89GHz-B,V)"

#define L2HIGH_ROWS "L2H_RPC89A1|RPC for 89A|PRC for 89A;L2H_RPC89B1|RPC for 89B|PRC for 89B"
#define GEO_ROWS(p, prc)                                                                                               \
    p "TPW1|TPW;" p "CLW1|CLW;" prc p "SSW1|SSW;" p "SST1|SST_STD|SST;" p "SST10G1|SST_RSR|SST10GHz;" p "SND1|SND;" p  \
      "SWE1|SND_SWE|SWE;" p "SMC1|SMC;" p "SIC1|SIC"
#define L3BT_ROWS "L3BT_H|BT H|Brightness Temperature (H);L3BT_V|BT V|Brightness Temperature (V)"

#define RADIOMETER(page, sensor, l1title, sidx)                                                                        \
    {page, "grp_GCOM_L1AB", sensor l1title, "btn_cb_" sidx "_L1AB", L1AB_ROWS},                                        \
        {page, "grp_GCOM_L1R", sensor " L1R Brighness Temperature ", "btn_cb_" sidx "_L1R", L1R_ROWS},                 \
        {page, "grp_GCOM_L2High", sensor " L2 High resolution Geophysical Data", "btn_cb_" sidx "_L2High",             \
         L2HIGH_ROWS},                                                                                                 \
        {page, "grp_GCOM_L2Low", sensor " L2 Low resolution Geophysical Data", "btn_cb_" sidx "_L2Low",                \
         GEO_ROWS("L2L_", "")},                                                                                        \
        {page, "grp_GCOM_L3BT", sensor " L3 Brightness Temperature", "btn_cb_" sidx "_L3BT", L3BT_ROWS},               \
    {                                                                                                                  \
        page, "grp_GCOM_L3GD", sensor " L3 Geophysical Data", "btn_cb_" sidx "_L3GD",                                  \
            GEO_ROWS("L3GD_", "L3GD_PRC1|PRC;")                                                                        \
    }

#define JASMES_COMMON(p) p "chla|chla;" p "dpar|dpar;"
#define JASMES_MIDDLE(p)                                                                                               \
    p "ndvi|ndvi;" p "olst|olst|lst_;" p "par|par|par_;" p "ptw|ptw|ptw_;" p "rgb|rgb|1Krgb;" p "rpar|rpar;" p         \
      "swr|swr|swr_;" p "taua|taua|tau_500;" p "tip|tip|tip_;" p "uva|uva|uva_;" p "uvb|uvb|uvb_;" p "wf|wf;" p        \
      "wst|wst"

inline constexpr group kGroups[] = {
    {"tabGPM", "grp_GsmapHourlyL3", "GSMap Hourly L3", "btn_cb_GSMap_HourlyL3", "PRC_GH|PrecipRate|PercipRate"},
    {"tabGPM", "grp_GsmapMonthlyL3", "GSMap Monthly L3", "btn_cb_GSMap_MonthlyL3", "PRC_GM|PrecipRate|PercipRate"},
    {"tabGPM", "grp_DprDailyL3", "DPR(～V06) Daily L3", "btn_cb_DPR_DailyL3",
     "PRC_A|DPRMS Ascending;PRC_D|DPRMS Descending;PRC_A2|KuNS Ascending;PRC_D2|KuNS Decsending|KuNS Descending"},
    {"tabGPM", "grp_DprMonthlyL3", "DPR(～V06) Monthly L3", "btn_cb_DPR_MonthlyL3",
     "KUN_STR|KuNS stratiform;KUN_CON|KuNS convective;KUN_ALL|KuNS all;KAM_STR|KaMS stratiform;"
     "KAM_CON|KaMS convective;KAM_ALL|KaMS all;KAH_STR|KaHS stratiform;KAH_CON|KaHS convective;KAH_ALL|KaHS all;"
     "DPM_STR|DPRMS stratiform;DPM_CON|DPRMS convective;DPM_ALL|DPRMS all;KUM_STR|KuMS stratiform;"
     "KUM_CON|KuMS convective;KUM_ALL|KuMS all"},
    {"tabGPM", "grp_DprV7DailyL3", "DPR(V07) Daily L3", "btn_cb_DprV7DailyL3", ""},
    {"tabGPM", "grp_DprV7MonthlyL3", "DPR(V07) Monthly L3", "btn_cb_DprV7MonthlyL3", ""},
    RADIOMETER("tabGCOMW", "AMSR2", " L1A Observation Count/L1B Brighness Temperature ", "GCOMW"),
    RADIOMETER("tabAQUA", "AMSR-E", " L1B Brighness Temperature ", "AMSRE"),
    {"tabJASMES", "grp_JASMES_Global", "Global", "btn_cb_JASMES_Global",
     JASMES_COMMON("G_") "G_lst|lst;" JASMES_MIDDLE(
         "G_") ";G_sg5c_cft|snwcfr_ghrm5c(cs_flg_tpf)|ghrm5c(cs_flg_tpf);"
               "G_sg5c_sft|snwcfr_ghrm5c(Surface_Flag)|ghrm5c(Surface_Flag);"
               "G_sg10c_cft|snwcfr_mds10c(cs_flg_tpf)|mds10c(cs_flg_tpf);"
               "G_sg10c_sft|snwcfr_mds10c(Surface_Flag)|mds10c(Surface_Flag)"},
    {"tabJASMES", "grp_JASMES_Japan", "Japan Area", "btn_cb_JASMES_Japan",
     JASMES_COMMON("J_") JASMES_MIDDLE("J_") ";J_alph|alph;J_s_cft|snwcfr(cs_flg_tpf)|cs_flg_tpf;"
                                             "J_s_sf|snwcfr(Surface_Flag)|Surface_Flag"},
    {"tabJASMES", "grp_JASMES_Thai", "Thailand Area", "btn_cb_JASMES_Thailand",
     JASMES_COMMON("T_") JASMES_MIDDLE("T_")},
    {"tabJASMES", "grp_JASMES_Gobi", "Gobi Desert Area", "btn_cb_JASMES_Gobi", "Gb_rcr|rcr;Gb_taua|taua;Gb_aot|aot"},
};

#undef L1AB_ROWS
#undef L1R_ROWS
#undef L2HIGH_ROWS
#undef GEO_ROWS
#undef L3BT_ROWS
#undef RADIOMETER
#undef JASMES_COMMON
#undef JASMES_MIDDLE

} // namespace option_layout

} // namespace vardane
