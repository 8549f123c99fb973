#include "settings/spconverter.h"

namespace vardane {

void spconverter::init_projection_setting()
{
    projection_.clear();
    for (int k = ST_GSMAP_HOURLY; k <= ST_JASMES_GOBI; ++k) {
        projection_[static_cast<SettingType>(k)] = TG_EQR;
    }
}

bool spconverter::get_ProjectionSetting(SettingType kind, TiffGenType& gen) const
{
    const auto it = projection_.find(kind);
    if (it == projection_.end()) return false;
    // The global JASMES images are always made on the lat/lon grid; a stored
    // polar choice is kept for the settings file only.
    gen = kind == ST_JASMES_GLOBAL ? TG_EQR : it->second;
    return true;
}

bool spconverter::set_ProjectionSetting(SettingType kind, TiffGenType gen)
{
    const auto it = projection_.find(kind);
    if (it == projection_.end()) return false;
    it->second = gen;
    return true;
}

} // namespace vardane
