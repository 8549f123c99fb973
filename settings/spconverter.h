#pragma once

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "reader/product_types.h"
#include "settings/option_types.h"

namespace vardane {

// Per-product conversion settings: which variables are converted and how,
// the projection of gridded products, and the NetCDF attribute catalogue.
//
// The set of option entries (keys, indices) is fixed at construction; the
// settings file, the dialogs and copyfrom only change existing entries.
class spconverter {
public:
    // Option key -> entry; keys compare byte-wise.
    using option_set = std::map<std::string, optSet_t>;
    using dimension_table = std::map<std::string, std::vector<std::string>>;
    using coordinates_table = std::map<std::string, std::string>;
    using valid_range_table = std::map<std::string, std::vector<float>>;
    using fill_value_table = std::map<std::string, float>;

    // Builds the whole built-in state.
    spconverter();
    // Built-in state, then the other's choices (copyfrom) and its file path.
    spconverter(const spconverter& other);
    spconverter& operator=(const spconverter& other);
    ~spconverter() = default;

    // (Re)builds every table from the built-in catalogue.
    void init();
    void init_option_setting();
    void init_projection_setting();

    // The settings file: its path (default: beside the executable, or the
    // user's config folder when that is not writable), reading and writing.
    const std::string& config_path() const { return configPath_; }
    void set_config_path(const std::string& path) { configPath_ = path; }
    // Reads the settings file at config_path().
    // True: the whole file was read. Its lines were applied; lines that fit no
    // rule were skipped, and every refused output name is in load_warnings().
    // False: nothing was applied, every table keeps the values it had before
    // the call and load_warnings() is empty. That is the case when no file
    // exists at the path, when the path is not a regular file (a folder, a
    // device), when the file cannot be opened, or when reading it fails
    // part-way (an I/O error).
    bool loadSetting();
    // Reads settings text from any stream (what loadSetting does with the file).
    void read_settings(std::istream& is);
    // One line per output name refused by the last loadSetting or
    // read_settings, in file order; each names the section, the key, the
    // refused name and the name kept. Cleared at the start of each load.
    const std::vector<std::string>& load_warnings() const { return loadWarnings_; }
    // Section markers the last loadSetting or read_settings recognised (a
    // section named twice counts twice): none means the text was no
    // settings file at all.
    int sections_recognised() const { return sectionsRecognised_; }
    // False when the file could not be written; the previous file then stays.
    bool saveSetting() const;
    // The text saveSetting writes.
    void write_settings(std::ostream& os) const;
    // Copies the user's choices (not the NetCDF catalogue) from other.
    void copyfrom(const spconverter& other);

    // Option entries. Keys are blank-trimmed before lookup.
    bool get_OptSetting(SettingType kind, const std::string& key, optSet_t& entry) const;
    // Changes flag and name only; the name must be 1..40 bytes, no blank, no tab.
    bool set_OptSetting(SettingType kind, const std::string& key, const optSet_t& entry);
    // Changes the colour-bar part only, without checks.
    bool set_CbOptSetting(SettingType kind, const std::string& key, const optSet_t& entry);

    // Per-kind shortcuts of get_OptSetting / set_OptSetting for the kinds
    // the selection and the dialogs name.
    bool get_OptSet_GSMap_HourlyL3(const std::string& key, optSet_t& entry) const;
    bool set_OptSet_GSMap_HourlyL3(const std::string& key, const optSet_t& entry);
    bool get_OptSet_JASMES_Global(const std::string& key, optSet_t& entry) const;
    bool get_OptSet_JASMES_Japan(const std::string& key, optSet_t& entry) const;
    bool get_OptSet_JASMES_Thailand(const std::string& key, optSet_t& entry) const;
    bool get_OptSet_JASMES_Gobi(const std::string& key, optSet_t& entry) const;

    // Radiometer shortcuts: AT_AMSRE picks the AMSR-E kind, anything else GCOM-W.
    bool get_OptSet_AMSR_L1AB(AmsrType type, const std::string& key, optSet_t& entry) const;
    bool set_OptSet_AMSR_L1AB(AmsrType type, const std::string& key, const optSet_t& entry);
    bool get_OptSet_AMSR_L2Low(AmsrType type, const std::string& key, optSet_t& entry) const;
    bool set_OptSet_AMSR_L2Low(AmsrType type, const std::string& key, const optSet_t& entry);
    bool get_OptSet_AMSR_L3GD(AmsrType type, const std::string& key, optSet_t& entry) const;
    bool set_OptSet_AMSR_L3GD(AmsrType type, const std::string& key, const optSet_t& entry);

    // Append the selected variables of a kind, in byte-wise key order.
    void selList(SettingType kind, std::vector<spcvt_listitem>& list) const;
    // The same, skipping entries whose index is not below limit.
    void selList(SettingType kind, std::vector<spcvt_listitem>& list, int limit) const;

    // Keys of a kind in display order.
    std::vector<std::string> get_key_list(SettingType kind) const;
    // Display name of a kind ("GCOM-W AMSR2 L1R"); empty for ST_NONE.
    std::string get_category_text(SettingType kind) const;
    // Section marker of a kind in the settings file ("#GCOMW/L1R").
    std::string get_section_marker(SettingType kind) const;

    // Projection of gridded products. ST_JASMES_GLOBAL always reads TG_EQR.
    bool get_ProjectionSetting(SettingType kind, TiffGenType& gen) const;
    bool set_ProjectionSetting(SettingType kind, TiffGenType gen);

    // Name of the user colour table of a variable; empty for kinds without one.
    std::string get_custom_clt(SettingType kind, const std::string& key) const;

    // NetCDF attribute catalogue of a kind, by data-set name.
    dimension_table get_dimensions(SettingType kind) const;
    coordinates_table get_coordinates(SettingType kind) const;
    valid_range_table get_valid_ranges(SettingType kind) const;
    fill_value_table get_fill_values(SettingType kind) const;

    // One block of position-information text for a plain TIFF.
    std::string create_PosInfodata(const productInfo_t& info, const std::string& inputPath,
                                   const std::string& tifName) const;

private:
    static constexpr int kind_count = 32;

    option_set* find_set(SettingType kind);
    const option_set* find_set(SettingType kind) const;
    void select_into(SettingType kind, std::vector<spcvt_listitem>& list, const int* limit) const;

    // NetCDF attribute catalogue.
    std::map<SettingType, dimension_table> dimensions_;
    std::map<SettingType, coordinates_table> coordinates_;
    std::map<SettingType, valid_range_table> validRanges_;
    std::map<SettingType, fill_value_table> fillValues_;
    // Kind -> its option set inside optionSets_; ST_NONE -> nullptr.
    std::map<SettingType, option_set*> directory_;
    std::string configPath_;
    // Option sets of kinds 1..32 (element k-1 holds kind k).
    std::array<option_set, kind_count> optionSets_;
    std::map<SettingType, std::vector<std::string>> keyOrder_;
    std::map<SettingType, TiffGenType> projection_;
    std::map<SettingType, std::string> sectionMarkers_;
    std::map<SettingType, std::string> categoryTexts_;
    std::vector<std::string> loadWarnings_;
    int sectionsRecognised_ = 0;
};

} // namespace vardane
