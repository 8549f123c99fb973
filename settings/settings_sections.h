#pragma once

#include <array>

#include "settings/option_types.h"

namespace vardane {

// Order in which the sections of the settings file are written and in which
// projection choices are copied: GSMaP, DPR, radiometers, GCOM-C, JASMES.
inline constexpr std::array<SettingType, 32> settings_section_order{
    ST_GSMAP_HOURLY,    ST_GSMAP_MONTHLY, ST_DPR_DAILY,    ST_DPR_MONTHLY, ST_DPRV7_DAILY,   ST_DPRV7_MONTHLY,
    ST_GCOMW_L1AB,      ST_GCOMW_L1R,     ST_GCOMW_L2HIGH, ST_GCOMW_L2LOW, ST_GCOMW_L3BT,    ST_GCOMW_L3GD,
    ST_AMSRE_L1AB,      ST_AMSRE_L1R,     ST_AMSRE_L2HIGH, ST_AMSRE_L2LOW, ST_AMSRE_L3BT,    ST_AMSRE_L3GD,
    ST_GCOMC_VNR,       ST_GCOMC_POL,     ST_GCOMC_IRS,    ST_GCOMC_NWLR,  ST_GCOMC_IWPR,    ST_GCOMC_SST,
    ST_GCOMC_LTOA,      ST_GCOMC_RSRF,    ST_GCOMC_LST,    ST_GCOMC_CLFG,  ST_JASMES_GLOBAL, ST_JASMES_JAPAN,
    ST_JASMES_THAILAND, ST_JASMES_GOBI,
};

// Kinds whose projection choice the user can make, and so the file stores.
inline constexpr bool has_projection_choice(SettingType kind)
{
    return kind == ST_GCOMW_L3BT || kind == ST_GCOMW_L3GD || kind == ST_AMSRE_L3BT || kind == ST_AMSRE_L3GD
           || kind == ST_JASMES_GLOBAL;
}

} // namespace vardane
