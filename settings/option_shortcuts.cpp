// Per-kind forwarding of get_OptSetting / set_OptSetting.
#include "settings/spconverter.h"

namespace vardane {

namespace {

// AT_AMSRE selects the AMSR-E row, every other value the GCOM-W row.
SettingType radiometer_kind(AmsrType type, SettingType gcomw)
{
    constexpr int amsre_offset = ST_AMSRE_L1AB - ST_GCOMW_L1AB;
    return type == AT_AMSRE ? static_cast<SettingType>(gcomw + amsre_offset) : gcomw;
}

} // namespace

#define VARDANE_FIXED_KIND_SHORTCUTS(SUFFIX, KIND)                                              \
    bool spconverter::get_OptSet_##SUFFIX(const std::string& key, optSet_t& entry) const       \
    {                                                                                           \
        return get_OptSetting(KIND, key, entry);                                                \
    }                                                                                           \
    bool spconverter::set_OptSet_##SUFFIX(const std::string& key, const optSet_t& entry)       \
    {                                                                                           \
        return set_OptSetting(KIND, key, entry);                                                \
    }

#define VARDANE_RADIOMETER_SHORTCUTS(SUFFIX, GCOMW_KIND)                                        \
    bool spconverter::get_OptSet_##SUFFIX(AmsrType type, const std::string& key,                \
                                          optSet_t& entry) const                                \
    {                                                                                           \
        return get_OptSetting(radiometer_kind(type, GCOMW_KIND), key, entry);                   \
    }                                                                                           \
    bool spconverter::set_OptSet_##SUFFIX(AmsrType type, const std::string& key,                \
                                          const optSet_t& entry)                                \
    {                                                                                           \
        return set_OptSetting(radiometer_kind(type, GCOMW_KIND), key, entry);                   \
    }

VARDANE_FIXED_KIND_SHORTCUTS(GSMap_HourlyL3, ST_GSMAP_HOURLY)
VARDANE_FIXED_KIND_SHORTCUTS(GSMap_MonthlyL3, ST_GSMAP_MONTHLY)
VARDANE_FIXED_KIND_SHORTCUTS(DPR_DailyL3, ST_DPR_DAILY)
VARDANE_FIXED_KIND_SHORTCUTS(DPR_MonthlyL3, ST_DPR_MONTHLY)
VARDANE_FIXED_KIND_SHORTCUTS(JASMES_Global, ST_JASMES_GLOBAL)
VARDANE_FIXED_KIND_SHORTCUTS(JASMES_Japan, ST_JASMES_JAPAN)
VARDANE_FIXED_KIND_SHORTCUTS(JASMES_Thailand, ST_JASMES_THAILAND)
VARDANE_FIXED_KIND_SHORTCUTS(JASMES_Gobi, ST_JASMES_GOBI)

VARDANE_RADIOMETER_SHORTCUTS(AMSR_L1AB, ST_GCOMW_L1AB)
VARDANE_RADIOMETER_SHORTCUTS(AMSR_L1R, ST_GCOMW_L1R)
VARDANE_RADIOMETER_SHORTCUTS(AMSR_L2High, ST_GCOMW_L2HIGH)
VARDANE_RADIOMETER_SHORTCUTS(AMSR_L2Low, ST_GCOMW_L2LOW)
VARDANE_RADIOMETER_SHORTCUTS(AMSR_L3BT, ST_GCOMW_L3BT)
VARDANE_RADIOMETER_SHORTCUTS(AMSR_L3GD, ST_GCOMW_L3GD)

#undef VARDANE_FIXED_KIND_SHORTCUTS
#undef VARDANE_RADIOMETER_SHORTCUTS

} // namespace vardane
