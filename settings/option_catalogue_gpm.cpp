// GSMaP, DPR and DPR(v7) precipitation products.
#include <array>

#include "settings/option_catalogue.h"

namespace vardane {

namespace {

constexpr std::array<catalogue_row, 1> gsmap{{
    {"PercipRate", "PRC", 0, true},
}};

constexpr std::array<catalogue_row, 4> dpr_daily{{
    {"DPRMS Ascending", "PRC_DPM_A", 0, true},
    {"DPRMS Descending", "PRC_DPM_D", 1, true},
    {"KuNS Ascending", "PRC_KUN_A", 2, true},
    {"KuNS Descending", "PRC_KUN_D", 3, true},
}};

// Scan type x rain type; only the all-rain Ku normal scan is on by default.
constexpr std::array<catalogue_row, 15> dpr_monthly{{
    {"KuNS stratiform", "PRC_KUN_STR", 0, false},
    {"KuNS convective", "PRC_KUN_CON", 1, false},
    {"KuNS all", "PRC_KUN_ALL", 2, true},
    {"KaMS stratiform", "PRC_KAM_STR", 3, false},
    {"KaMS convective", "PRC_KAM_CON", 4, false},
    {"KaMS all", "PRC_KAM_ALL", 5, false},
    {"KaHS stratiform", "PRC_KAH_STR", 6, false},
    {"KaHS convective", "PRC_KAH_CON", 7, false},
    {"KaHS all", "PRC_KAH_ALL", 8, false},
    {"DPRMS stratiform", "PRC_DPM_STR", 9, false},
    {"DPRMS convective", "PRC_DPM_CON", 10, false},
    {"DPRMS all", "PRC_DPM_ALL", 11, false},
    {"KuMS stratiform", "PRC_KUM_STR", 12, false},
    {"KuMS convective", "PRC_KUM_CON", 13, false},
    {"KuMS all", "PRC_KUM_ALL", 14, false},
}};

constexpr std::array<positional_row, 6> dprv7_daily{{
    {"DPRFS Ascending", "PRC_DPF_A"},
    {"DPRFS Descending", "PRC_DPF_D"},
    {"DPRMS Ascending", "PRC_DPM_A"},
    {"DPRMS Descending", "PRC_DPM_D"},
    {"KuFS Ascending", "PRC_KUF_A"},
    {"KuFS Descending", "PRC_KUF_D"},
}};

constexpr std::array<positional_row, 9> dprv7_monthly{{
    {"KuFS stratiform", "PRC_KUF_STR"},
    {"KuFS convective", "PRC_KUF_CON"},
    {"KuFS all", "PRC_KUF_ALL"},
    {"KaFS stratiform", "PRC_KAF_STR"},
    {"KaFS convective", "PRC_KAF_CON"},
    {"KaFS all", "PRC_KAF_ALL"},
    {"DPRFS stratiform", "PRC_DPF_STR"},
    {"DPRFS convective", "PRC_DPF_CON"},
    {"DPRFS all", "PRC_DPF_ALL"},
}};

} // namespace

void add_gpm_options(option_catalogue& catalogue)
{
    catalogue.add(ST_GSMAP_HOURLY, gsmap);
    catalogue.add(ST_GSMAP_MONTHLY, gsmap);
    catalogue.add(ST_DPR_DAILY, dpr_daily);
    catalogue.add(ST_DPR_MONTHLY, dpr_monthly);
    catalogue.add(ST_DPRV7_DAILY, dprv7_daily);
    catalogue.add(ST_DPRV7_MONTHLY, dprv7_monthly);
}

} // namespace vardane
