// The hand-laid groups of the option dialog. Rows that follow a pattern
// (radiometer channels, DPR scan and rain types) are generated from their
// parts; the texts, misspellings included, are those the users know.
#include <array>

#include "app/window/options/option_group_layout.h"

namespace vardane {

namespace {

QString latin(const char* text) { return QString::fromLatin1(text); }

// ---- GPM -------------------------------------------------------------------

option_group_layout gsmap_group(const char* control, const char* title, SettingType kind, const char* button,
                                const char* part)
{
    option_group_layout g{
        latin(control), latin(title), kind, latin(button), latin("Target(PrecipRate)"), {}, {}, true, 4};
    g.blocks.push_back({{}, {{latin(part), latin("PrecipRate"), "PercipRate", {}}}});
    return g;
}

option_group_layout dpr_daily_group()
// clang-format off
{
    option_group_layout g{latin("grp_DprDailyL3"), QStringLiteral(u"DPR(～V06) Daily L3"), ST_DPR_DAILY,
                        latin("btn_cb_DPR_DailyL3"), latin("Target(PrecipRate)"), {}, {}, false, 2};
    g.blocks.push_back({{},
                        {{latin("PRC_A"), latin("DPRMS Ascending"), "DPRMS Ascending", {}},
                         {latin("PRC_D"), latin("DPRMS Descending"), "DPRMS Descending", {}},
                         {latin("PRC_A2"), latin("KuNS Ascending"), "KuNS Ascending", {}},
                         {latin("PRC_D2"), latin("KuNS Decsending"), "KuNS Descending", {}}}});
    return g;
}
// clang-format on

option_group_layout dpr_monthly_group()
// clang-format off
{
    struct named { const char* part; const char* text; };
    constexpr std::array<named, 5> scans{{{"KUN", "KuNS"}, {"KAM", "KaMS"}, {"KAH", "KaHS"}, {"DPM", "DPRMS"}, {"KUM", "KuMS"}}};
    constexpr std::array<named, 3> rains{{{"STR", " stratiform"}, {"CON", " convective"}, {"ALL", " all"}}};
    option_group_layout g{latin("grp_DprMonthlyL3"), QStringLiteral(u"DPR(～V06) Monthly L3"), ST_DPR_MONTHLY,
                        latin("btn_cb_DPR_MonthlyL3"), latin("Target(PrecipRate)"), {}, {}, false, 3};
    option_block_layout block;
    for (const named& scan : scans) {
        for (const named& rain : rains) {
            const std::string key = std::string(scan.text) + rain.text;
            block.rows.push_back({latin(scan.part) + u'_' + latin(rain.part), QString::fromStdString(key), key, {}});
        }
    }
    g.blocks.push_back(std::move(block));
    return g;
}
// clang-format on

// ---- Radiometers -----------------------------------------------------------

// A channel frequency as the L1A/L1B keys write it ("89.0GHz-A"), as the
// L1R keys write it ("89GHz-A"), and as the annotations write it.
struct frequency {
    const char* text;
    const char* l1rText;
    const char* tipText;
};
constexpr frequency f6{"6.9GHz", "6.9GHz", "6.9GHz"};
constexpr frequency f7{"7.3GHz", "7.3GHz", "7.3GHz"};
constexpr frequency f10{"10.7GHz", "10.7GHz", "10.7GHz"};
constexpr frequency f18{"18.7GHz", "18.7GHz", "18.7GHz"};
constexpr frequency f23{"23.8GHz", "23.8GHz", "23.8GHz"};
constexpr frequency f36{"36.5GHz", "36.5GHz", "36.5GHz"};
constexpr frequency f89{"89.0GHz", "89.0GHz", "89.0GHz"};
constexpr frequency f89a{"89.0GHz-A", "89GHz-A", "89GHz-A"};
constexpr frequency f89b{"89.0GHz-B", "89GHz-B", "89GHz-B"};
constexpr std::array<char, 2> polarisations{'H', 'V'};

// "89.0GHz-A" -> "89_0GHz_A", the frequency part of a control name.
QString name_part(const char* text)
{
    QString part = latin(text);
    part.replace(u'.', u'_').replace(u'-', u'_');
    return part;
}

// The check-box text of a channel: the 18.7 GHz vertical channel has always
// been shown as "18.7GH,V" in the first block of both L1 groups.
QString channel_label(const QString& text, char pol, bool shortened18V)
{
    if (shortened18V && text == latin("18.7GHz") && pol == 'V') return latin("18.7GH,V");
    return text + u',' + QChar::fromLatin1(pol);
}

option_block_layout l1ab_rows()
{
    option_block_layout block;
    for (const frequency& f : {f6, f7, f10, f18, f23, f36, f89a, f89b}) {
        for (char pol : polarisations) {
            const QString p = QChar::fromLatin1(pol);
            block.rows.push_back(
                {latin("AB_") + name_part(f.text) + u'_' + p, channel_label(latin(f.text), pol, true),
                 "OC BT (" + std::string(f.text) + "," + pol + ")",
                 latin("Observation Count/Brightness Temperature(") + latin(f.tipText) + u',' + p + u')'});
        }
    }
    return block;
}

std::vector<option_block_layout> l1r_blocks()
{
    struct resolution {
        const char* caption;
        const char* part;
        const char* keyText;
        std::vector<frequency> frequencies;
    };
    const std::array<resolution, 5> resolutions{{
        {"reso06", "r06", "res06", {f6, f7, f10, f18, f23, f36, f89}},
        {"reso10", "r10", "res10", {f10, f18, f23, f36, f89}},
        {"reso23", "r23", "res23", {f18, f23, f36, f89}},
        {"reso36", "r36", "res36", {f36, f89}},
        {"original", "org", "original", {f89a, f89b}},
    }};
    std::vector<option_block_layout> blocks;
    for (const resolution& r : resolutions) {
        option_block_layout block{latin(r.caption), {}};
        const bool first = blocks.empty();
        for (const frequency& f : r.frequencies) {
            for (char pol : polarisations) {
                const QString p = QChar::fromLatin1(pol);
                const std::string inner = std::string(r.keyText) + "," + f.l1rText + "," + pol;
                block.rows.push_back({latin(r.part) + u'_' + name_part(f.text) + u'_' + p,
                                      channel_label(latin(f.l1rText), pol, first), "BT (" + inner + ")",
                                      latin("Brightness Temperature (") + QString::fromStdString(inner) + u')'});
            }
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// Rows of the two geophysical groups; PRC is a level-3 variable only.
option_block_layout geophysical_rows(const char* prefix, bool level3)
{
    struct variable {
        const char* part;
        const char* label;
        const char* key;
        const char* tip;
        bool level3Only;
    };
    constexpr std::array<variable, 10> variables{{
        {"TPW", "TPW", "TPW", "Total Precipitable Water", false},
        {"CLW", "CLW", "CLW", "Cloud Liquid Water", false},
        {"PRC", "PRC", "PRC", "Precipitation", true},
        {"SSW", "SSW", "SSW", "Sea Surface Wind speed", false},
        {"SST", "SST_STD", "SST", "Sea Surface Temperature", false},
        {"SST10G", "SST_RSR", "SST10GHz", "Sea Surface Temperature 10GHz", false},
        {"SND", "SND", "SND", "Snow Depth", false},
        {"SWE", "SND_SWE", "SWE", "Snow Water Equivalent", false},
        {"SMC", "SMC", "SMC", "Soil Moisture Content", false},
        {"SIC", "SIC", "SIC", "Sea Ice Concentration", false},
    }};
    option_block_layout block;
    for (const variable& v : variables) {
        if (v.level3Only && !level3) continue;
        block.rows.push_back({latin(prefix) + latin(v.part) + u'1', latin(v.label), v.key, latin(v.tip)});
    }
    return block;
}

} // namespace

std::vector<option_group_layout> gpm_groups()
{
    return {gsmap_group("grp_GsmapHourlyL3", "GSMap Hourly L3", ST_GSMAP_HOURLY, "btn_cb_GSMap_HourlyL3", "PRC_GH"),
            gsmap_group("grp_GsmapMonthlyL3", "GSMap Monthly L3", ST_GSMAP_MONTHLY, "btn_cb_GSMap_MonthlyL3", "PRC_GM"),
            dpr_daily_group(), dpr_monthly_group()};
}

std::vector<option_group_layout> radiometer_groups(AmsrType type)
// clang-format off
{
    const bool amsre = type == AT_AMSRE;
    const QString sensor = latin(amsre ? "AMSR-E" : "AMSR2");
    const QString button = latin("btn_cb_") + latin(amsre ? "AMSRE" : "GCOMW") + u'_';
    const auto kind = [amsre](SettingType amsr2, SettingType amsrE) { return amsre ? amsrE : amsr2; };
    const QString target = latin("Target");

    std::vector<option_group_layout> groups;
    groups.push_back({latin("grp_GCOM_L1AB"),
                      sensor + latin(amsre ? " L1B Brighness Temperature " : " L1A Observation Count/L1B Brighness Temperature "),
                      kind(ST_GCOMW_L1AB, ST_AMSRE_L1AB), button + latin("L1AB"), target, {l1ab_rows()}, {}, false, 4});
    groups.push_back({latin("grp_GCOM_L1R"), sensor + latin(" L1R Brighness Temperature "),
                      kind(ST_GCOMW_L1R, ST_AMSRE_L1R), button + latin("L1R"), target, l1r_blocks(), {}, false, 4});
    option_group_layout l2high{latin("grp_GCOM_L2High"), sensor + latin(" L2 High resolution Geophysical Data"),
                             kind(ST_GCOMW_L2HIGH, ST_AMSRE_L2HIGH), button + latin("L2High"), target, {}, {}, false, 2};
    l2high.blocks.push_back({{},
                             {{latin("L2H_RPC89A1"), latin("RPC for 89A"), "PRC for 89A", latin("Precipitation for 89A")},
                              {latin("L2H_RPC89B1"), latin("RPC for 89B"), "PRC for 89B", latin("Precipitation for 89B")}}});
    groups.push_back(std::move(l2high));
    groups.push_back({latin("grp_GCOM_L2Low"), sensor + latin(" L2 Low resolution Geophysical Data"),
                      kind(ST_GCOMW_L2LOW, ST_AMSRE_L2LOW), button + latin("L2Low"), target,
                      {geophysical_rows("L2L_", false)}, {}, false, 5});
    option_group_layout l3bt{latin("grp_GCOM_L3BT"), sensor + latin(" L3 Brightness Temperature"),
                           kind(ST_GCOMW_L3BT, ST_AMSRE_L3BT), button + latin("L3BT"), target, {},
                           projection_names{latin("rbtn_L3BT_lonlat"), latin("rbtn_L3BT_polar"), latin("cbx_L3BT_polar")},
                           false, 2};
    l3bt.blocks.push_back({{},
                           {{latin("L3BT_H"), latin("BT H"), "Brightness Temperature (H)", latin("Brightness Temperature(H)")},
                            {latin("L3BT_V"), latin("BT V"), "Brightness Temperature (V)", latin("Brightness Temperature(V)")}}});
    groups.push_back(std::move(l3bt));
    groups.push_back({latin("grp_GCOM_L3GD"), sensor + latin(" L3 Geophysical Data"), kind(ST_GCOMW_L3GD, ST_AMSRE_L3GD),
                      button + latin("L3GD"), target, {geophysical_rows("L3GD_", true)},
                      projection_names{latin("rbtn_L3GD_lonlat"), latin("rbtn_L3GD_polar"), latin("cbx_L3GD_polar")},
                      false, 5});
    return groups;
}
// clang-format on

std::vector<option_group_layout> jasmes_groups()
// clang-format off
{
    struct variable {
        const char* part;
        const char* label;
        const char* key;
        bool global, japan, thailand;
    };
    constexpr std::array<variable, 23> variables{{
        {"chla", "chla", "chla", true, true, true},
        {"dpar", "dpar", "dpar", true, true, true},
        {"lst", "lst", "lst", true, false, false},
        {"ndvi", "ndvi", "ndvi", true, true, true},
        {"olst", "olst", "lst_", true, true, true},
        {"par", "par", "par_", true, true, true},
        {"ptw", "ptw", "ptw_", true, true, true},
        {"rgb", "rgb", "1Krgb", true, true, true},
        {"rpar", "rpar", "rpar", true, true, true},
        {"swr", "swr", "swr_", true, true, true},
        {"taua", "taua", "tau_500", true, true, true},
        {"tip", "tip", "tip_", true, true, true},
        {"uva", "uva", "uva_", true, true, true},
        {"uvb", "uvb", "uvb_", true, true, true},
        {"wf", "wf", "wf", true, true, true},
        {"wst", "wst", "wst", true, true, true},
        {"alph", "alph", "alph", false, true, false},
        {"sg5c_cft", "snwcfr_ghrm5c(cs_flg_tpf)", "ghrm5c(cs_flg_tpf)", true, false, false},
        {"sg5c_sft", "snwcfr_ghrm5c(Surface_Flag)", "ghrm5c(Surface_Flag)", true, false, false},
        {"sg10c_cft", "snwcfr_mds10c(cs_flg_tpf)", "mds10c(cs_flg_tpf)", true, false, false},
        {"sg10c_sft", "snwcfr_mds10c(Surface_Flag)", "mds10c(Surface_Flag)", true, false, false},
        {"s_cft", "snwcfr(cs_flg_tpf)", "cs_flg_tpf", false, true, false},
        {"s_sf", "snwcfr(Surface_Flag)", "Surface_Flag", false, true, false},
    }};
    const auto area = [&](const char* control, const char* title, SettingType kind, const char* button,
                          const char* prefix, bool variable::*member) {
        // Three to a line: the snow-flag labels are long.
        option_group_layout g{latin(control), latin(title), kind, latin(button), latin("Target"), {}, {}, false, 3};
        option_block_layout block;
        for (const variable& v : variables) {
            if (v.*member) block.rows.push_back({latin(prefix) + latin(v.part), latin(v.label), v.key, {}});
        }
        g.blocks.push_back(std::move(block));
        return g;
    };
    std::vector<option_group_layout> groups;
    groups.push_back(area("grp_JASMES_Global", "Global", ST_JASMES_GLOBAL, "btn_cb_JASMES_Global", "G_", &variable::global));
    groups.back().projection = projection_names{latin("rbtn_JA_G_lonlat"), latin("rbtn_JA_G_polar"), latin("cbx_JA_G_polar")};
    groups.push_back(area("grp_JASMES_Japan", "Japan Area", ST_JASMES_JAPAN, "btn_cb_JASMES_Japan", "J_", &variable::japan));
    groups.push_back(area("grp_JASMES_Thai", "Thailand Area", ST_JASMES_THAILAND, "btn_cb_JASMES_Thailand", "T_",
                          &variable::thailand));
    option_group_layout gobi{latin("grp_JASMES_Gobi"), latin("Gobi Desert Area"), ST_JASMES_GOBI,
                           latin("btn_cb_JASMES_Gobi"), latin("Target(aerosol)"), {}, {}, false, 3};
    gobi.blocks.push_back({{},
                           {{latin("Gb_rcr"), latin("rcr"), "rcr", {}},
                            {latin("Gb_taua"), latin("taua"), "taua", {}},
                            {latin("Gb_aot"), latin("aot"), "aot", {}}}});
    groups.push_back(std::move(gobi));
    return groups;
}
// clang-format on

} // namespace vardane
