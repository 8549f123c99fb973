#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "reader/product_types.h"
#include "settings/option_types.h"

// Per-product conversion settings: which variables are converted and how,
// the projection of gridded products, and the NetCDF attribute catalogue.
// (Minimal form: empty option sets until the catalogue is filled in.)
class spconverter {
public:
    spconverter() = default;

    // The settings file: its path (default: beside the executable, or the
    // user's config folder when that is not writable), reading and writing.
    const std::string& config_path() const { return configPath_; }
    void set_config_path(const std::string& path) { configPath_ = path; }
    bool loadSetting();
    bool saveSetting() const;
    // The text saveSetting writes.
    void write_settings(std::ostream& os) const;

    bool get_OptSetting(SettingType kind, const std::string& key, optSet_t& entry) const;

    bool get_OptSet_JASMES_Global(const std::string& key, optSet_t& entry) const;
    bool get_OptSet_JASMES_Japan(const std::string& key, optSet_t& entry) const;
    bool get_OptSet_JASMES_Thailand(const std::string& key, optSet_t& entry) const;
    bool get_OptSet_JASMES_Gobi(const std::string& key, optSet_t& entry) const;
    bool get_OptSet_AMSR_L2Low(AmsrType type, const std::string& key, optSet_t& entry) const;
    bool get_OptSet_AMSR_L3GD(AmsrType type, const std::string& key, optSet_t& entry) const;

    // Append the selected variables of a kind, in byte-wise key order.
    void selList(SettingType kind, std::vector<spcvt_listitem>& list) const;
    // The same, skipping entries whose index is not below limit.
    void selList(SettingType kind, std::vector<spcvt_listitem>& list, int limit) const;

    bool get_ProjectionSetting(SettingType kind, TiffGenType& gen) const;

    std::string get_custom_clt(SettingType kind, const std::string& key) const;

    // NetCDF attribute catalogue of a kind, by data-set name.
    std::map<std::string, std::vector<std::string>> get_dimensions(SettingType kind) const;
    std::map<std::string, std::string> get_coordinates(SettingType kind) const;
    std::map<std::string, std::vector<float>> get_valid_ranges(SettingType kind) const;
    std::map<std::string, float> get_fill_values(SettingType kind) const;

    // One block of position-information text for a plain TIFF.
    std::string create_PosInfodata(const productInfo_t& info, const std::string& inputPath,
                                   const std::string& tifName) const;

private:
    std::string configPath_;
};
