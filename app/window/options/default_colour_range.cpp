#include "app/window/options/default_colour_range.h"

#include <array>
#include <vector>

#include "colour/colour_table.h"
#include "colour/palette.h"
#include "driver/data_folder.h"
#include "driver/product_rules.h"
#include "reader/spinfo.h"
#include "util/vdn_exception.h"

namespace vardane {

namespace {

// The file kind behind each option kind. The L1A/L1B set serves counts
// (L1A) and brightness temperatures (L1B) under the same keys; the
// temperatures are what users colour.
struct kind_product {
    SettingType kind;
    productType product;
};

// clang-format off
constexpr std::array<kind_product, 18> kKindProducts = {{
    {ST_GSMAP_HOURLY, PT_GSMAP_HOURLY}, {ST_GSMAP_MONTHLY, PT_GSMAP_MONTHLY},
    {ST_DPR_DAILY, PT_DPR_DAILY},       {ST_DPR_MONTHLY, PT_DPR_MONTHLY},
    {ST_DPRV7_DAILY, PT_DPRV7_DAILY},   {ST_DPRV7_MONTHLY, PT_DPRV7_MONTHLY},
    {ST_GCOMW_L1AB, PT_AMSR2_L1B},      {ST_GCOMW_L1R, PT_AMSR2_L1R},     {ST_GCOMW_L2HIGH, PT_AMSR2_L2_HIGH},
    {ST_GCOMW_L2LOW, PT_AMSR2_L2_LOW},  {ST_GCOMW_L3BT, PT_AMSR2_L3_BT},   {ST_GCOMW_L3GD, PT_AMSR2_L3_GD},
    {ST_AMSRE_L1AB, PT_AMSRE_L1B},      {ST_AMSRE_L1R, PT_AMSRE_L1R},     {ST_AMSRE_L2HIGH, PT_AMSRE_L2_HIGH},
    {ST_AMSRE_L2LOW, PT_AMSRE_L2_LOW},  {ST_AMSRE_L3BT, PT_AMSRE_L3_BT},   {ST_AMSRE_L3GD, PT_AMSRE_L3_GD},
}};
// clang-format on

// JASMES flag files are HDF4 files whose key names the flag ("cs_flg_tpf",
// or "ghrm5c(cs_flg_tpf)" on the global grid); every other variable is a
// binary file whose stored parameter is the key padded to eight characters.
std::string jasmes_table(const std::string& key)
{
    std::string flag = key;
    if (const auto open = key.find('('); open != std::string::npos && key.back() == ')')
        flag = key.substr(open + 1, key.size() - open - 2);
    if (flag == "cs_flg_tpf" || flag == "Surface_Flag") return builtin_colour_table(PT_JASMES_HDF4, flag, {}, 0);
    std::string stored = key;
    if (stored.size() < 8) stored.resize(8, ' ');
    return builtin_colour_table(PT_JASMES_RAW, stored, {}, 0);
}

// Tables the program writes for "Log" carry the ten logarithmic colours in
// order; built-in tables are written the same way.
bool has_log_colours(const std::vector<color_map>& classes)
{
    const palette log = create_rgb_map("Log");
    // N table lines make N + 1 classes; class k < N has line k's colour.
    if (classes.size() != log.size() + 1) return false;
    for (std::size_t k = 0; k < log.size(); ++k) {
        const std::optional<rgba> c = parse_colour_field(log[k]);
        if (!c || classes[k].r != c->r || classes[k].g != c->g || classes[k].b != c->b) return false;
    }
    return true;
}

} // namespace

std::string default_colour_table(SettingType kind, const std::string& key)
{
    if (kind >= ST_JASMES_GLOBAL && kind <= ST_JASMES_GOBI) return jasmes_table(key);
    for (const kind_product& k : kKindProducts) {
        if (k.kind == kind) return builtin_colour_table(k.product, key, geophysical_name_of_key(key), 0);
    }
    return {};
}

std::optional<colour_range> default_colour_range(SettingType kind, const std::string& key)
{
    const std::string table = default_colour_table(kind, key);
    if (table.empty()) return std::nullopt;
    std::vector<color_map> classes;
    try {
        classes = GetColorMap(clt_file(table + ".clt"));
    } catch (const vdn_exception&) {
        return std::nullopt; // no such table: the variable is drawn in its own colours or not at all
    }
    if (classes.empty()) return std::nullopt;
    return colour_range{classes.front().lower, classes.back().upper, has_log_colours(classes)};
}

} // namespace vardane
