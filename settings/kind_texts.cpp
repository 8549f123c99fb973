#include "settings/kind_texts.h"

#include <array>

namespace vardane {

namespace {

constexpr std::array<kind_texts, 33> texts{{
    {ST_NONE, "#NONE", "", ""},
    {ST_GSMAP_HOURLY, "#GSMap/HourlyL3", "GSMap Hourly L3", "gpm_gsmap_hour_l3_"},
    {ST_GSMAP_MONTHLY, "#GSMap/MonthlyL3", "GSMap Monthly L3", "gpm_gsmap_month_l3_"},
    {ST_DPR_DAILY, "#DPR/DailyL3", "DPR Daily L3", "gpm_dpr_day_l3_"},
    {ST_DPR_MONTHLY, "#DPR/MonthlyL3", "DPR Monthly L3", "gpm_dpr_month_l3_"},
    {ST_DPRV7_DAILY, "#DPRv7/DailyL3", "DPR(v7) Daily L3", "gpm_dprv7_day_l3_"},
    {ST_DPRV7_MONTHLY, "#DPRv7/MonthlyL3", "DPR(v7) Monthly L3", "gpm_dprv7_month_l3_"},
    {ST_GCOMW_L1AB, "#GCOMW/L1AB", "GCOM-W AMSR2 L1A/L1B", "amsr2_l1ab_"},
    {ST_GCOMW_L1R, "#GCOMW/L1R", "GCOM-W AMSR2 L1R", "amsr2_l1r_"},
    {ST_GCOMW_L2HIGH, "#GCOMW/L2High", "GCOM-W AMSR2 L2 High", "amsr2_l2h_"},
    {ST_GCOMW_L2LOW, "#GCOMW/L2Low", "GCOM-W AMSR2 L2 Low", "amsr2_l2l_"},
    {ST_GCOMW_L3BT, "#GCOMW/L3BT", "GCOM-W AMSR2 L3 Brightness Temperature", "amsr2_l3bt_"},
    {ST_GCOMW_L3GD, "#GCOMW/L3GD", "GCOM-W AMSR2 L3 Geophysical Data", "amsr2_l3gd_"},
    {ST_AMSRE_L1AB, "#AMSRE/L1AB", "AQUA AMSR-E L1B", "amsre_l1ab_"},
    {ST_AMSRE_L1R, "#AMSRE/L1R", "AQUA AMSR-E L1R", "amsre_l1r_"},
    {ST_AMSRE_L2HIGH, "#AMSRE/L2High", "AQUA AMSR-E L2 High", "amsre_l2h_"},
    {ST_AMSRE_L2LOW, "#AMSRE/L2Low", "AQUA AMSR-E L2 Low", "amsre_l2l_"},
    {ST_AMSRE_L3BT, "#AMSRE/L3BT", "AQUA AMSR-E L3 Brightness Temperature", "amsre_l3bt_"},
    {ST_AMSRE_L3GD, "#AMSRE/L3GD", "AQUA AMSR-E L3 Geophysical Data", "amsre_l3gd_"},
    {ST_JASMES_GLOBAL, "#JASMES/Global", "JASMES Global", "jasmes_a_"},
    {ST_JASMES_JAPAN, "#JASMES/Japan", "JASMES Japan Area", "jasmes_j_"},
    {ST_JASMES_THAILAND, "#JASMES/Thailand", "JASMES Thailand Area", "jasmes_t_"},
    {ST_JASMES_GOBI, "#JASMES/Gobi", "JASMES Gobi Desert Area", "jasmes_g_"},
    {ST_GCOMC_VNR, "#GCOMC/VNR", "GCOM-C L1B VNR", ""},
    {ST_GCOMC_POL, "#GCOMC/POL", "GCOM-C L1B POL", ""},
    {ST_GCOMC_IRS, "#GCOMC/IRS", "GCOM-C L1B IRS", ""},
    {ST_GCOMC_NWLR, "#GCOMC/NWLR", "GCOM-C L2 NWLR", ""},
    {ST_GCOMC_IWPR, "#GCOMC/IWPR", "GCOM-C L2 IWPR", ""},
    {ST_GCOMC_SST, "#GCOMC/SST", "GCOM-C L2 SST", ""},
    {ST_GCOMC_LTOA, "#GCOMC/LTOA", "GCOM-C L2 LTOA", ""},
    {ST_GCOMC_RSRF, "#GCOMC/RSRF", "GCOM-C L2 RSRF", ""},
    {ST_GCOMC_LST, "#GCOMC/LST", "GCOM-C L2 LST", ""},
    {ST_GCOMC_CLFG, "#GCOMC/CLFG", "GCOM-C L2 CLFG", ""},
}};

// The rows must stay in kind order: find_kind_texts indexes by kind.
constexpr bool in_kind_order()
{
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (static_cast<std::size_t>(texts[i].kind) != i) return false;
    }
    return true;
}
static_assert(in_kind_order());

} // namespace

std::span<const kind_texts> kind_text_table() { return texts; }

const kind_texts* find_kind_texts(SettingType kind)
{
    const auto k = static_cast<std::int64_t>(kind);
    if (k < 0 || k >= static_cast<std::int64_t>(texts.size())) return nullptr;
    return &texts[static_cast<std::size_t>(k)];
}

} // namespace vardane
