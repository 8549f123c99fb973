#include <array>

#include "settings/settings_sections.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

// The GCOM-W kinds of the radiometer option sets; each AMSR-E kind lies
// amsre_offset after its GCOM-W kind.
constexpr std::array<SettingType, 6> radiometer_kinds{ST_GCOMW_L1AB,  ST_GCOMW_L1R,  ST_GCOMW_L2HIGH,
                                                      ST_GCOMW_L2LOW, ST_GCOMW_L3BT, ST_GCOMW_L3GD};

constexpr std::array<SettingType, 8> jasmes_gpm_kinds{ST_JASMES_GLOBAL, ST_JASMES_JAPAN, ST_JASMES_THAILAND,
                                                      ST_JASMES_GOBI,   ST_GSMAP_HOURLY, ST_GSMAP_MONTHLY,
                                                      ST_DPR_DAILY,     ST_DPR_MONTHLY};

constexpr int amsre_offset = ST_AMSRE_L1AB - ST_GCOMW_L1AB;

} // namespace

void spconverter::copyfrom(const spconverter& other)
{
    optSet_t entry;
    // Selection (with the name check) and colour bar.
    for (const SettingType kind : jasmes_gpm_kinds) {
        for (const std::string& key : get_key_list(kind)) {
            if (!other.get_OptSetting(kind, key, entry)) continue;
            set_OptSetting(kind, key, entry);
            set_CbOptSetting(kind, key, entry);
        }
    }
    for (const int offset : {0, amsre_offset}) {
        for (const SettingType gcomw : radiometer_kinds) {
            const auto kind = static_cast<SettingType>(gcomw + offset);
            for (const std::string& key : get_key_list(kind)) {
                if (!other.get_OptSetting(kind, key, entry)) continue;
                set_OptSetting(kind, key, entry);
                set_CbOptSetting(kind, key, entry);
            }
        }
    }
    // GCOM-C: selection only.
    for (int k = ST_GCOMC_VNR; k <= ST_GCOMC_CLFG; ++k) {
        const auto kind = static_cast<SettingType>(k);
        for (const auto& item : *find_set(kind)) {
            if (other.get_OptSetting(kind, item.first, entry)) set_OptSetting(kind, item.first, entry);
        }
    }
    for (const SettingType kind : {ST_DPRV7_DAILY, ST_DPRV7_MONTHLY}) {
        for (const auto& item : *find_set(kind)) {
            if (!other.get_OptSetting(kind, item.first, entry)) continue;
            set_OptSetting(kind, item.first, entry);
            set_CbOptSetting(kind, item.first, entry);
        }
    }
    TiffGenType gen = TG_EQR;
    for (const SettingType kind : settings_section_order) {
        if (other.get_ProjectionSetting(kind, gen)) set_ProjectionSetting(kind, gen);
    }
}

} // namespace vardane
