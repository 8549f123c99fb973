#include "sgli_names.h"

#include <array>

namespace vardane {

namespace synth_sgli {

namespace {

using st = sample_type;
using r = role;

// clang-format off
constexpr std::array<dataset, 13> kVnr{{
    {"/Image_data/Lt_VN01", st::u16, r::radiance}, {"/Image_data/Lt_VN02", st::u16, r::radiance},
    {"/Image_data/Lt_VN03", st::u16, r::radiance}, {"/Image_data/Lt_VN04", st::u16, r::radiance},
    {"/Image_data/Lt_VN05", st::u16, r::radiance}, {"/Image_data/Lt_VN06", st::u16, r::radiance},
    {"/Image_data/Lt_VN07", st::u16, r::radiance}, {"/Image_data/Lt_VN08", st::u16, r::radiance},
    {"/Image_data/Lt_VN09", st::u16, r::radiance}, {"/Image_data/Lt_VN10", st::u16, r::radiance},
    {"/Image_data/Lt_VN11", st::u16, r::radiance}, {"/Image_data/QA_flag", st::u16, r::quality},
    {"/Image_data/Land_water_flag", st::u8, r::land_water},
}};
// clang-format on

// clang-format off
constexpr std::array<dataset, 14> kPol{{
    {"/Image_data/Lt_P1_0", st::u16, r::radiance}, {"/Image_data/Lt_P1_m60", st::u16, r::radiance},
    {"/Image_data/Lt_P1_p60", st::u16, r::radiance}, {"/Image_data/Lt_P2_0", st::u16, r::radiance},
    {"/Image_data/Lt_P2_m60", st::u16, r::radiance}, {"/Image_data/Lt_P2_p60", st::u16, r::radiance},
    {"/Image_data/Lt_PI01", st::u16, r::radiance}, {"/Image_data/Lt_PI02", st::u16, r::radiance},
    {"/Image_data/Lt_PQ01", st::u16, r::radiance}, {"/Image_data/Lt_PQ02", st::u16, r::radiance},
    {"/Image_data/Lt_PU01", st::u16, r::radiance}, {"/Image_data/Lt_PU02", st::u16, r::radiance},
    {"/Image_data/QA_flag", st::u16, r::quality}, {"/Image_data/Land_water_flag", st::u8, r::land_water},
}};
// clang-format on

// clang-format off
constexpr std::array<dataset, 8> kIrs{{
    {"/Image_data/Lt_SW01", st::u16, r::radiance, true}, {"/Image_data/Lt_SW02", st::u16, r::radiance, true},
    {"/Image_data/Lt_SW03", st::u16, r::radiance}, {"/Image_data/Lt_SW04", st::u16, r::radiance, true},
    {"/Image_data/Lt_TI01", st::u16, r::radiance}, {"/Image_data/Lt_TI02", st::u16, r::radiance},
    {"/Image_data/QA_flag", st::u16, r::quality}, {"/Image_data/Land_water_flag", st::u8, r::land_water},
}};
// clang-format on

// clang-format off
constexpr std::array<dataset, 11> kNwlr{{
    {"/Image_data/NWLR_380", st::u16, r::ocean_value}, {"/Image_data/NWLR_412", st::u16, r::ocean_value},
    {"/Image_data/NWLR_443", st::u16, r::ocean_value}, {"/Image_data/NWLR_490", st::u16, r::ocean_value},
    {"/Image_data/NWLR_530", st::u16, r::ocean_value}, {"/Image_data/NWLR_565", st::u16, r::ocean_value},
    {"/Image_data/NWLR_670", st::u16, r::ocean_value}, {"/Image_data/PAR", st::u16, r::ocean_value},
    {"/Image_data/TAUA_670", st::u16, r::ocean_value}, {"/Image_data/TAUA_865", st::u16, r::ocean_value},
    {"/Image_data/QA_flag", st::u16, r::quality},
}};
// clang-format on

constexpr std::array<dataset, 4> kIwpr{{
    {"/Image_data/CDOM", st::u16, r::ocean_value},
    {"/Image_data/CHLA", st::u16, r::ocean_value},
    {"/Image_data/TSM", st::u16, r::ocean_value},
    {"/Image_data/QA_flag", st::u16, r::quality},
}};

constexpr std::array<dataset, 3> kSst{{
    {"/Image_data/SST", st::u16, r::ocean_value},
    {"/Image_data/QA_flag", st::u16, r::quality},
    {"/Image_data/Cloud_probability", st::u8, r::cloud},
}};

constexpr std::array<dataset, 33> kLtoa{{
    {"/Image_data/Lt_P1_0", st::u16, r::radiance},          {"/Image_data/Lt_P1_m60", st::u16, r::radiance},
    {"/Image_data/Lt_P1_p60", st::u16, r::radiance},        {"/Image_data/Lt_P2_0", st::u16, r::radiance},
    {"/Image_data/Lt_P2_m60", st::u16, r::radiance},        {"/Image_data/Lt_P2_p60", st::u16, r::radiance},
    {"/Image_data/Lt_PI01", st::u16, r::radiance},          {"/Image_data/Lt_PI02", st::u16, r::radiance},
    {"/Image_data/Lt_PQ01", st::u16, r::radiance},          {"/Image_data/Lt_PQ02", st::u16, r::radiance},
    {"/Image_data/Lt_PU01", st::u16, r::radiance},          {"/Image_data/Lt_PU02", st::u16, r::radiance},
    {"/Image_data/Lt_SW01", st::u16, r::radiance},          {"/Image_data/Lt_SW02", st::u16, r::radiance},
    {"/Image_data/Lt_SW03", st::u16, r::radiance},          {"/Image_data/Lt_SW04", st::u16, r::radiance},
    {"/Image_data/Lt_TI01", st::u16, r::radiance},          {"/Image_data/Lt_TI02", st::u16, r::radiance},
    {"/Image_data/Lt_VN01", st::u16, r::radiance},          {"/Image_data/Lt_VN02", st::u16, r::radiance},
    {"/Image_data/Lt_VN03", st::u16, r::radiance},          {"/Image_data/Lt_VN04", st::u16, r::radiance},
    {"/Image_data/Lt_VN05", st::u16, r::radiance},          {"/Image_data/Lt_VN06", st::u16, r::radiance},
    {"/Image_data/Lt_VN07", st::u16, r::radiance},          {"/Image_data/Lt_VN08", st::u16, r::radiance},
    {"/Image_data/Lt_VN08P", st::u16, r::radiance},         {"/Image_data/Lt_VN09", st::u16, r::radiance},
    {"/Image_data/Lt_VN10", st::u16, r::radiance},          {"/Image_data/Lt_VN11", st::u16, r::radiance},
    {"/Image_data/Lt_VN11P", st::u16, r::radiance},         {"/Image_data/QA_flag", st::u16, r::quality},
    {"/Image_data/Land_water_flag", st::u8, r::land_water},
}};

constexpr std::array<dataset, 27> kRsrf{{
    {"/Image_data/Rs_PI01", st::u16, r::radiance},  {"/Image_data/Rs_PI02", st::u16, r::radiance},
    {"/Image_data/Rs_SW01", st::u16, r::radiance},  {"/Image_data/Rs_SW02", st::u16, r::radiance},
    {"/Image_data/Rs_SW03", st::u16, r::radiance},  {"/Image_data/Rs_SW04", st::u16, r::radiance},
    {"/Image_data/Rs_VN01", st::u16, r::radiance},  {"/Image_data/Rs_VN02", st::u16, r::radiance},
    {"/Image_data/Rs_VN03", st::u16, r::radiance},  {"/Image_data/Rs_VN04", st::u16, r::radiance},
    {"/Image_data/Rs_VN05", st::u16, r::radiance},  {"/Image_data/Rs_VN06", st::u16, r::radiance},
    {"/Image_data/Rs_VN07", st::u16, r::radiance},  {"/Image_data/Rs_VN08", st::u16, r::radiance},
    {"/Image_data/Rs_VN08P", st::u16, r::radiance}, {"/Image_data/Rs_VN09", st::u16, r::radiance},
    {"/Image_data/Rs_VN10", st::u16, r::radiance},  {"/Image_data/Rs_VN11", st::u16, r::radiance},
    {"/Image_data/Rs_VN11P", st::u16, r::radiance}, {"/Image_data/Tb_TI01", st::u16, r::radiance},
    {"/Image_data/Tb_TI02", st::u16, r::radiance},  {"/Image_data/QA_flag", st::u16, r::quality},
    {"/Image_data/Angstrom", st::u8, r::any_value}, {"/Image_data/Land_water_flag", st::u8, r::land_water},
    {"/Image_data/PAR", st::u8, r::any_value},      {"/Image_data/Tau_500", st::u8, r::any_value},
    {"/Image_data/SWR", st::u8, r::any_value},
}};

constexpr std::array<dataset, 4> kLst{{
    {"/Image_data/LST", st::u16, r::land_value},
    {"/Image_data/QA_flag", st::u16, r::quality},
    {"/Image_data/E01", st::u8, r::land_value},
    {"/Image_data/E02", st::u8, r::land_value},
}};

constexpr std::array<dataset, 1> kClfg{{{"/Image_data/Cloud_flag", st::u16, r::cloud}}};

constexpr std::array<product, 10> kProducts{{
    {sgli_product::vnr, "VNRD", "1BSG", false, false, 100, 120, 1000, 1150},
    {sgli_product::pol, "POLD", "1BSG", false, true, 100, 120, 1000, 1150},
    {sgli_product::irs, "IRSD", "1BSG", false, false, 200, 240, 4000, 4600},
    {sgli_product::nwlr, "NWLR", "L2SG", false, false, 100, 120, 1000, 1150},
    {sgli_product::iwpr, "IWPR", "L2SG", false, false, 100, 120, 1000, 1150},
    {sgli_product::sst, "SSTD", "L2SG", false, false, 100, 120, 1000, 1150},
    {sgli_product::ltoa, "LTOA", "L2SG", true, false, 120, 120, 1200, 1200},
    {sgli_product::rsrf, "RSRF", "L2SG", true, false, 120, 120, 1200, 1200},
    {sgli_product::lst, "LST_", "L2SG", true, false, 120, 120, 1200, 1200},
    {sgli_product::clfg, "CLFG", "L2SG", true, false, 120, 120, 1200, 1200},
}};

} // namespace

const product& product_of(sgli_product id)
{
    for (const auto& p : kProducts) {
        if (p.id == id) return p;
    }
    return kProducts[0];
}

std::span<const dataset> datasets_of(sgli_product id)
{
    switch (id) {
    case sgli_product::vnr: return kVnr;
    case sgli_product::pol: return kPol;
    case sgli_product::irs: return kIrs;
    case sgli_product::nwlr: return kNwlr;
    case sgli_product::iwpr: return kIwpr;
    case sgli_product::sst: return kSst;
    case sgli_product::ltoa: return kLtoa;
    case sgli_product::rsrf: return kRsrf;
    case sgli_product::lst: return kLst;
    case sgli_product::clfg: return kClfg;
    }
    return {};
}

} // namespace synth_sgli

} // namespace vardane
