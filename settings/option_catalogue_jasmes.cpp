// JASMES products: each variable is a file of its own, so every index is 0.
#include <array>
#include <vector>

#include "settings/option_catalogue.h"

namespace vardane {

namespace {

// One variable and the areas that offer it (Global, Japan, Thailand).
struct jasmes_row {
    std::string_view key;
    std::string_view name;
    bool global;
    bool japan;
    bool thailand;
};

constexpr std::array<jasmes_row, 23> areas{{
    {"alph", "alph", false, true, false},
    {"chla", "chla", true, true, true},
    {"dpar", "dpar", true, true, true},
    {"lst", "lst", true, false, false},
    {"ndvi", "ndvi", true, true, true},
    {"lst_", "olst", true, true, true},
    {"par_", "par", true, true, true},
    {"ptw_", "ptw", true, true, true},
    {"1Krgb", "rgb", true, true, true},
    {"rpar", "rpar", true, true, true},
    {"swr_", "swr", true, true, true},
    {"tau_500", "taua", true, true, true},
    {"tip_", "tip", true, true, true},
    {"uva_", "uva", true, true, true},
    {"uvb_", "uvb", true, true, true},
    {"wf", "wf", true, true, true},
    {"wst", "wst", true, true, true},
    {"ghrm5c(cs_flg_tpf)", "sg5c_cft", true, false, false},
    {"ghrm5c(Surface_Flag)", "sg5c_sft", true, false, false},
    {"mds10c(cs_flg_tpf)", "sm10c_cft", true, false, false},
    {"mds10c(Surface_Flag)", "sm10c_sft", true, false, false},
    {"cs_flg_tpf", "s_cft", false, true, false},
    {"Surface_Flag", "s_sf", false, true, false},
}};

constexpr std::array<catalogue_row, 3> gobi{{
    {"rcr", "rcr", 0, true},
    {"taua", "taua", 1, true},
    {"aot", "aot", 2, true},
}};

template <bool jasmes_row::*member>
std::vector<catalogue_row> area_rows()
{
    std::vector<catalogue_row> rows;
    for (const auto& r : areas) {
        if (r.*member) rows.push_back({r.key, r.name, 0, true});
    }
    return rows;
}

} // namespace

void add_jasmes_options(option_catalogue& catalogue)
{
    catalogue.add(ST_JASMES_GLOBAL, area_rows<&jasmes_row::global>());
    catalogue.add(ST_JASMES_JAPAN, area_rows<&jasmes_row::japan>());
    catalogue.add(ST_JASMES_THAILAND, area_rows<&jasmes_row::thailand>());
    catalogue.add(ST_JASMES_GOBI, gobi);
}

} // namespace vardane
