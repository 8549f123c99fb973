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

bool spconverter::get_OptSet_GSMap_HourlyL3(const std::string& key, optSet_t& entry) const
{
    return get_OptSetting(ST_GSMAP_HOURLY, key, entry);
}

bool spconverter::set_OptSet_GSMap_HourlyL3(const std::string& key, const optSet_t& entry)
{
    return set_OptSetting(ST_GSMAP_HOURLY, key, entry);
}

bool spconverter::get_OptSet_JASMES_Global(const std::string& key, optSet_t& entry) const
{
    return get_OptSetting(ST_JASMES_GLOBAL, key, entry);
}

bool spconverter::get_OptSet_JASMES_Japan(const std::string& key, optSet_t& entry) const
{
    return get_OptSetting(ST_JASMES_JAPAN, key, entry);
}

bool spconverter::get_OptSet_JASMES_Thailand(const std::string& key, optSet_t& entry) const
{
    return get_OptSetting(ST_JASMES_THAILAND, key, entry);
}

bool spconverter::get_OptSet_JASMES_Gobi(const std::string& key, optSet_t& entry) const
{
    return get_OptSetting(ST_JASMES_GOBI, key, entry);
}

#define VARDANE_RADIOMETER_SHORTCUTS(SUFFIX, GCOMW_KIND)                                                               \
    bool spconverter::get_OptSet_##SUFFIX(AmsrType type, const std::string& key, optSet_t& entry) const                \
    {                                                                                                                  \
        return get_OptSetting(radiometer_kind(type, GCOMW_KIND), key, entry);                                          \
    }                                                                                                                  \
    bool spconverter::set_OptSet_##SUFFIX(AmsrType type, const std::string& key, const optSet_t& entry)                \
    {                                                                                                                  \
        return set_OptSetting(radiometer_kind(type, GCOMW_KIND), key, entry);                                          \
    }

VARDANE_RADIOMETER_SHORTCUTS(AMSR_L1AB, ST_GCOMW_L1AB)
VARDANE_RADIOMETER_SHORTCUTS(AMSR_L2Low, ST_GCOMW_L2LOW)
VARDANE_RADIOMETER_SHORTCUTS(AMSR_L3GD, ST_GCOMW_L3GD)

#undef VARDANE_RADIOMETER_SHORTCUTS

} // namespace vardane
