#include "settings/spconverter.h"

#include "settings/config_location.h"
#include "settings/kind_texts.h"
#include "settings/netcdf_catalogue.h"
#include "settings/option_catalogue.h"
#include "settings/output_name.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

template <typename Table>
Table copy_table(const std::map<SettingType, Table>& tables, SettingType kind)
{
    const auto it = tables.find(kind);
    return it == tables.end() ? Table{} : it->second;
}

} // namespace

spconverter::spconverter() { init(); }

spconverter::spconverter(const spconverter& other)
{
    init();
    configPath_ = other.configPath_;
    copyfrom(other);
}

spconverter& spconverter::operator=(const spconverter& other)
{
    if (this != &other) {
        init();
        configPath_ = other.configPath_;
        copyfrom(other);
    }
    return *this;
}

void spconverter::init()
{
    configPath_ = default_config_path();
    init_option_setting();
    init_projection_setting();
    sectionMarkers_.clear();
    categoryTexts_.clear();
    for (const kind_texts& row : kind_text_table()) {
        sectionMarkers_[row.kind] = std::string(row.section_marker);
        if (row.kind != ST_NONE) categoryTexts_[row.kind] = std::string(row.category_text);
    }
}

void spconverter::init_option_setting()
{
    option_catalogue options;
    add_gpm_options(options);
    add_gcomw_options(options);
    add_jasmes_options(options);
    add_gcomc_options(options);

    netcdf_catalogue netcdf;
    add_gcomw_netcdf_catalogue(netcdf);

    // The AMSR-E kinds start as copies of the GCOM-W kinds six lower and are
    // independent from then on.
    constexpr int amsre_offset = ST_AMSRE_L1AB - ST_GCOMW_L1AB;
    for (int k = ST_GCOMW_L1AB; k <= ST_GCOMW_L3GD; ++k) {
        const auto gcomw = static_cast<SettingType>(k);
        const auto amsre = static_cast<SettingType>(k + amsre_offset);
        options.sets[amsre] = options.sets[gcomw];
        options.order[amsre] = options.order[gcomw];
        netcdf.dimensions[amsre] = netcdf.dimensions[gcomw];
        netcdf.coordinates[amsre] = netcdf.coordinates[gcomw];
        netcdf.valid_ranges[amsre] = netcdf.valid_ranges[gcomw];
        netcdf.fill_values[amsre] = netcdf.fill_values[gcomw];
    }

    for (int k = 1; k <= kind_count; ++k) {
        const auto kind = static_cast<SettingType>(k);
        optionSets_[k - 1] = std::move(options.sets[kind]);
    }
    keyOrder_ = std::move(options.order);
    dimensions_ = std::move(netcdf.dimensions);
    coordinates_ = std::move(netcdf.coordinates);
    validRanges_ = std::move(netcdf.valid_ranges);
    fillValues_ = std::move(netcdf.fill_values);

    directory_.clear();
    directory_[ST_NONE] = nullptr;
    for (int k = 1; k <= kind_count; ++k) {
        directory_[static_cast<SettingType>(k)] = &optionSets_[k - 1];
    }
}

spconverter::option_set* spconverter::find_set(SettingType kind)
{
    const auto it = directory_.find(kind);
    return it == directory_.end() ? nullptr : it->second;
}

const spconverter::option_set* spconverter::find_set(SettingType kind) const
{
    const auto it = directory_.find(kind);
    return it == directory_.end() ? nullptr : it->second;
}

bool spconverter::get_OptSetting(SettingType kind, const std::string& key, optSet_t& entry) const
{
    const std::string k = trim_space(key);
    if (k.empty()) return false;
    const option_set* set = find_set(kind);
    if (!set) return false;
    const auto it = set->find(k);
    if (it == set->end()) return false;
    entry = it->second;
    return true;
}

bool spconverter::set_OptSetting(SettingType kind, const std::string& key, const optSet_t& entry)
{
    const std::string k = trim_space(key);
    if (k.empty()) return false;
    const std::string name = trim_space(entry.name);
    if (!is_valid_output_name(name)) return false;
    option_set* set = find_set(kind);
    if (!set) return false;
    const auto it = set->find(k);
    if (it == set->end()) return false;
    it->second.flag = entry.flag;
    it->second.name = name;
    return true;
}

bool spconverter::set_CbOptSetting(SettingType kind, const std::string& key, const optSet_t& entry)
{
    const std::string k = trim_space(key);
    if (k.empty()) return false;
    option_set* set = find_set(kind);
    if (!set) return false;
    const auto it = set->find(k);
    if (it == set->end()) return false;
    it->second.custom_colorbar = entry.custom_colorbar;
    it->second.cb_min = entry.cb_min;
    it->second.cb_max = entry.cb_max;
    it->second.cb_log = entry.cb_log;
    it->second.invalid_values = entry.invalid_values;
    return true;
}

void spconverter::select_into(SettingType kind, std::vector<spcvt_listitem>& list, const int* limit) const
{
    const option_set* set = find_set(kind);
    if (!set) return;
    for (const auto& [key, entry] : *set) {
        if (!entry.flag) continue;
        if (limit && entry.index >= *limit) continue;
        list.push_back({entry.index, key, entry.name});
    }
}

void spconverter::selList(SettingType kind, std::vector<spcvt_listitem>& list) const
{
    select_into(kind, list, nullptr);
}

void spconverter::selList(SettingType kind, std::vector<spcvt_listitem>& list, int limit) const
{
    select_into(kind, list, &limit);
}

std::vector<std::string> spconverter::get_key_list(SettingType kind) const { return copy_table(keyOrder_, kind); }

std::string spconverter::get_category_text(SettingType kind) const { return copy_table(categoryTexts_, kind); }

std::string spconverter::get_section_marker(SettingType kind) const { return copy_table(sectionMarkers_, kind); }

std::string spconverter::get_custom_clt(SettingType kind, const std::string& key) const
{
    const kind_texts* texts = find_kind_texts(kind);
    if (!texts || texts->custom_clt_prefix.empty()) return {};
    return "custom_" + std::string(texts->custom_clt_prefix) + normalize(key);
}

spconverter::dimension_table spconverter::get_dimensions(SettingType kind) const
{
    return copy_table(dimensions_, kind);
}

spconverter::coordinates_table spconverter::get_coordinates(SettingType kind) const
{
    return copy_table(coordinates_, kind);
}

spconverter::valid_range_table spconverter::get_valid_ranges(SettingType kind) const
{
    return copy_table(validRanges_, kind);
}

spconverter::fill_value_table spconverter::get_fill_values(SettingType kind) const
{
    return copy_table(fillValues_, kind);
}

} // namespace vardane
