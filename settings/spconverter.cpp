#include "settings/spconverter.h"

bool spconverter::get_OptSetting(SettingType, const std::string&, optSet_t&) const { return false; }
bool spconverter::get_OptSet_JASMES_Global(const std::string&, optSet_t&) const { return false; }
bool spconverter::get_OptSet_JASMES_Japan(const std::string&, optSet_t&) const { return false; }
bool spconverter::get_OptSet_JASMES_Thailand(const std::string&, optSet_t&) const { return false; }
bool spconverter::get_OptSet_JASMES_Gobi(const std::string&, optSet_t&) const { return false; }
bool spconverter::get_OptSet_AMSR_L2Low(AmsrType, const std::string&, optSet_t&) const { return false; }
bool spconverter::get_OptSet_AMSR_L3GD(AmsrType, const std::string&, optSet_t&) const { return false; }
void spconverter::selList(SettingType, std::vector<spcvt_listitem>&) const {}
void spconverter::selList(SettingType, std::vector<spcvt_listitem>&, int) const {}
bool spconverter::get_ProjectionSetting(SettingType, TiffGenType&) const { return false; }
std::string spconverter::get_custom_clt(SettingType, const std::string&) const { return {}; }
std::map<std::string, std::vector<std::string>> spconverter::get_dimensions(SettingType) const { return {}; }
std::map<std::string, std::string> spconverter::get_coordinates(SettingType) const { return {}; }
std::map<std::string, std::vector<float>> spconverter::get_valid_ranges(SettingType) const { return {}; }
std::map<std::string, float> spconverter::get_fill_values(SettingType) const { return {}; }
std::string spconverter::create_PosInfodata(const productInfo_t&, const std::string&, const std::string&) const
{
    return {};
}
bool spconverter::loadSetting() { return false; }
bool spconverter::saveSetting() const { return false; }
void spconverter::write_settings(std::ostream&) const {}
