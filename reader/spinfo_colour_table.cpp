#include <array>
#include <string_view>

#include "reader/spinfo.h"
#include "util/string_utils.h"

namespace vardane {

// Name of the built-in colour table of the current file: one table per
// product and variable family.
namespace {

struct kind_table {
    productType kind;
    std::string_view table;
};

// Kinds with one table for every variable.
constexpr std::array<kind_table, 15> kKindTables = {{
    {PT_AMSR2_L1A, "amsr2_l1a"},
    {PT_AMSR2_L1B, "amsr2_l1b"},
    {PT_AMSR2_L1R, "amsr2_l1r"},
    {PT_AMSR2_L2_HIGH, "amsr2_lx_prc"},
    {PT_AMSR2_L3_BT, "amsr2_l3_tb"},
    {PT_AMSRE_L1B, "amsre_l1b"},
    {PT_AMSRE_L1R, "amsre_l1r"},
    {PT_AMSRE_L2_HIGH, "amsre_lx_prc"},
    {PT_AMSRE_L3_BT, "amsre_l3_tb"},
    {PT_GSMAP_HOURLY, "gpm_gsmap_hour_l3"},
    {PT_GSMAP_MONTHLY, "gpm_gsmap_month_l3"},
    {PT_DPR_DAILY, "gpm_dpr_day_l3"},
    {PT_DPRV7_DAILY, "gpm_dpr_day_l3"},
    {PT_DPR_MONTHLY, "gpm_dpr_month_l3"},
    {PT_DPRV7_MONTHLY, "gpm_dpr_month_l3"},
}};

// Radiometer geophysical products: the table follows the geophysical name;
// total precipitable water has its own table for L2 swaths and L3 grids.
struct geophysical_table {
    std::string_view name;
    std::string_view l2Low; // after "amsr2_" or "amsre_"
    std::string_view l3;
};

constexpr std::array<geophysical_table, 8> kGeophysicalTables = {{
    {"TPW", "l2_tpw", "l3_tpw"},
    {"CLW", "lx_clw", "lx_clw"},
    {"SMC", "lx_smc", "lx_smc"},
    {"PRC", "lx_prc", "lx_prc"},
    {"SIC", "lx_sic", "lx_sic"},
    {"SND", "lx_snd", "lx_snd"},
    {"SST", "lx_sst", "lx_sst"},
    {"SSW", "lx_ssw", "lx_ssw"},
}};

// JASMES flat-binary parameters, as stored (blank-padded to eight
// characters) or trimmed.
constexpr std::array<std::string_view, 2> kOceanLstParameters = {"lst     ", "lst_    "};

struct parameter_table {
    std::string_view parameter;
    std::string_view table;
};

constexpr std::array<parameter_table, 2> kRenamedParameters = {{
    {"par_", "jasmes_par"},
    {"ptw_", "jasmes_ptw"},
}};

// JASMES HDF4 snow and cloud flags: by the number of data sets of the file,
// then by its parameter.
struct hdf4_count_table {
    std::int32_t datasets;
    std::string_view table;
};

constexpr std::array<hdf4_count_table, 2> kHdf4CountTables = {{
    {3, "jasmes_snwcfr_ghrm5"},
    {13, "jasmes_snwcfr_monthly"},
}};

constexpr std::array<parameter_table, 2> kHdf4ParameterTables = {{
    {"cs_flg_tpf", "jasmes_snwcfr_day"},
    {"Surface_Flag", "jasmes_snwcfr_monthly"},
}};

template <typename Row, std::size_t N, typename Key>
const Row* find_row(const std::array<Row, N>& rows, Key Row::*field, const Key& key)
{
    for (const Row& r : rows) {
        if (r.*field == key) return &r;
    }
    return nullptr;
}

std::string jasmes_binary_table(const std::string& para)
{
    for (std::string_view lst : kOceanLstParameters) {
        if (para == lst) return "jasmes_olst";
    }
    std::string p = para;
    trim(p);
    if (const auto* r = find_row(kRenamedParameters, &parameter_table::parameter, std::string_view(p))) {
        return std::string(r->table);
    }
    return "jasmes_" + p;
}

std::string jasmes_hdf4_table(std::int32_t datasets, const std::string& para)
{
    if (const auto* r = find_row(kHdf4CountTables, &hdf4_count_table::datasets, datasets)) {
        return std::string(r->table);
    }
    if (const auto* r = find_row(kHdf4ParameterTables, &parameter_table::parameter, std::string_view(para))) {
        return std::string(r->table);
    }
    return {};
}

std::string geophysical_table_name(productType kind, const std::string& geoName)
{
    const bool amsre = kind == PT_AMSRE_L2_LOW || kind == PT_AMSRE_L3_GD;
    const bool l3 = kind == PT_AMSR2_L3_GD || kind == PT_AMSRE_L3_GD;
    const auto* r = find_row(kGeophysicalTables, &geophysical_table::name, std::string_view(geoName));
    if (r == nullptr) return {};
    return std::string(amsre ? "amsre_" : "amsr2_") + std::string(l3 ? r->l3 : r->l2Low);
}

} // namespace

std::string builtin_colour_table(productType kind, const std::string& para, const std::string& geoName,
                                 std::int32_t datasets)
{
    switch (kind) {
    case PT_JASMES_RAW:
    case PT_JASMES_HDR: return jasmes_binary_table(para);
    case PT_JASMES_HDF4: return jasmes_hdf4_table(datasets, para);
    case PT_AMSR2_L2_LOW:
    case PT_AMSR2_L3_GD:
    case PT_AMSRE_L2_LOW:
    case PT_AMSRE_L3_GD: return geophysical_table_name(kind, geoName);
    default: break;
    }
    if (const auto* r = find_row(kKindTables, &kind_table::kind, kind)) return std::string(r->table);
    return {};
}

std::string spinfo::getCLT() const
{
    return builtin_colour_table(desc_.kind, desc_.para, desc_.geoName, desc_.datasetCount);
}

} // namespace vardane
