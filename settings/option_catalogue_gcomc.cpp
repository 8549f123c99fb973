// GCOM-C SGLI products. Every variable is selected and its index is its
// display position. "Land_warer_flag" and "NELR_380" are the keys that
// stored settings files carry, so they stay as they are.
#include <array>

#include "settings/option_catalogue.h"

namespace vardane {

namespace {

// clang-format off
constexpr std::array<positional_row, 13> vnr{{
    {"Lt_VN01"}, {"Lt_VN02"}, {"Lt_VN03"}, {"Lt_VN04"}, {"Lt_VN05"}, {"Lt_VN06"},
    {"Lt_VN07"}, {"Lt_VN08"}, {"Lt_VN09"}, {"Lt_VN10"}, {"Lt_VN11"},
    {"QA_flag"},
    {"Land_warer_flag", "Land_water_flag"},
}};
// clang-format on

// clang-format off
constexpr std::array<positional_row, 14> pol{{
    {"Lt_P1_0"}, {"Lt_P1_m60"}, {"Lt_P1_p60"}, {"Lt_P2_0"}, {"Lt_P2_m60"}, {"Lt_P2_p60"},
    {"Lt_PI01"}, {"Lt_PI02"}, {"Lt_PQ01"}, {"Lt_PQ02"}, {"Lt_PU01"}, {"Lt_PU02"},
    {"QA_flag"},
    {"Land_warer_flag", "Land_water_flag"},
}};
// clang-format on

// clang-format off
constexpr std::array<positional_row, 8> irs{{
    {"Lt_SW01"}, {"Lt_SW02"}, {"Lt_SW03"}, {"Lt_SW04"}, {"Lt_TI01"}, {"Lt_TI02"},
    {"QA_flag"},
    {"Land_warer_flag", "Land_water_flag"},
}};
// clang-format on

// clang-format off
constexpr std::array<positional_row, 11> nwlr{{
    {"NELR_380", "NWLR_380"},
    {"NWLR_412"}, {"NWLR_443"}, {"NWLR_490"}, {"NWLR_530"}, {"NWLR_565"}, {"NWLR_670"},
    {"PAR"}, {"TAUA_670"}, {"TAUA_865"}, {"QA_flag"},
}};
// clang-format on

constexpr std::array<positional_row, 4> iwpr{{
    {"CDOM"},
    {"CHLA"},
    {"TSM"},
    {"QA_flag"},
}};

constexpr std::array<positional_row, 3> sst{{
    {"SST"},
    {"QA_flag"},
    {"Cloud_probability"},
}};

constexpr std::array<positional_row, 33> ltoa{{
    {"Lt_P1_0"}, {"Lt_P1_m60"}, {"Lt_P1_p60"}, {"Lt_P2_0"}, {"Lt_P2_m60"},       {"Lt_P2_p60"}, {"Lt_PI01"},
    {"Lt_PI02"}, {"Lt_PQ01"},   {"Lt_PQ02"},   {"Lt_PU01"}, {"Lt_PU02"},         {"Lt_SW01"},   {"Lt_SW02"},
    {"Lt_SW03"}, {"Lt_SW04"},   {"Lt_TI01"},   {"Lt_TI02"}, {"Lt_VN01"},         {"Lt_VN02"},   {"Lt_VN03"},
    {"Lt_VN04"}, {"Lt_VN05"},   {"Lt_VN06"},   {"Lt_VN07"}, {"Lt_VN08"},         {"Lt_VN08P"},  {"Lt_VN09"},
    {"Lt_VN10"}, {"Lt_VN11"},   {"Lt_VN11P"},  {"QA_flag"}, {"Land_water_flag"},
}};

constexpr std::array<positional_row, 27> rsrf{{
    {"Rs_PI01"},  {"Rs_PI02"},  {"Rs_SW01"},         {"Rs_SW02"}, {"Rs_SW03"},  {"Rs_SW04"}, {"Rs_VN01"},
    {"Rs_VN02"},  {"Rs_VN03"},  {"Rs_VN04"},         {"Rs_VN05"}, {"Rs_VN06"},  {"Rs_VN07"}, {"Rs_VN08"},
    {"Rs_VN08P"}, {"Rs_VN09"},  {"Rs_VN10"},         {"Rs_VN11"}, {"Rs_VN11P"}, {"Tb_TI01"}, {"Tb_TI02"},
    {"QA_flag"},  {"Angstrom"}, {"Land_water_flag"}, {"PAR"},     {"Tau_500"},  {"SWR"},
}};

constexpr std::array<positional_row, 4> lst{{
    {"LST"},
    {"QA_flag"},
    {"E01"},
    {"E02"},
}};

constexpr std::array<positional_row, 1> clfg{{
    {"Cloud_flag"},
}};

} // namespace

void add_gcomc_options(option_catalogue& catalogue)
{
    catalogue.add(ST_GCOMC_VNR, vnr);
    catalogue.add(ST_GCOMC_POL, pol);
    catalogue.add(ST_GCOMC_IRS, irs);
    catalogue.add(ST_GCOMC_NWLR, nwlr);
    catalogue.add(ST_GCOMC_IWPR, iwpr);
    catalogue.add(ST_GCOMC_SST, sst);
    catalogue.add(ST_GCOMC_LTOA, ltoa);
    catalogue.add(ST_GCOMC_RSRF, rsrf);
    catalogue.add(ST_GCOMC_LST, lst);
    catalogue.add(ST_GCOMC_CLFG, clfg);
}

} // namespace vardane
