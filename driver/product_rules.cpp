#include "driver/product_rules.h"

#include <array>

#include "reader/gsmap/gsmap_bin_reader.h"
#include "settings/spconverter.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

using sm = selection_mode;
using gw = geolocation_when;

// Geolocation arrays of the swath kinds: label and data-source index. An L2
// low-resolution file offers its layers first, so its latitude and
// longitude are counted from the end.
constexpr geolocation_read kL1AB[] = {{"lat89A", 16}, {"lat89B", 17}, {"lon89A", 18}, {"lon89B", 19}};
constexpr geolocation_read kL1R[] = {{"lat89A", 40}, {"lat89B", 41}, {"lon89A", 42}, {"lon89B", 43}};
constexpr geolocation_read kL2High[] = {{"lat89A", 2}, {"lat89B", 3}, {"lon89A", 4}, {"lon89B", 5}};
constexpr geolocation_read kL2Low[] = {{"lat", -2}, {"lon", -1}};
constexpr geolocation_read kVNR[] = {{"lat", 13}, {"lon", 14}};
constexpr geolocation_read kPOL[] = {{"lat", 14}, {"lon", 15}};
constexpr geolocation_read kIRS[] = {{"lat", 8}, {"lon", 9}};
constexpr geolocation_read kNWLR[] = {{"lat", 11}, {"lon", 12}};
constexpr geolocation_read kIWPR[] = {{"lat", 4}, {"lon", 5}};
constexpr geolocation_read kSST[] = {{"lat", 3}, {"lon", 4}};

constexpr std::span<const geolocation_read> kNone{};

// One row per product kind: announcement, option set, selection, geolocation.
// clang-format off
const product_rule kProductRules[] = {
    {PT_AMSR2_L1A, "It is GCOM-W/L1A Product.", nullptr, ST_GCOMW_L1AB, sm::all, AT_AMSR2, gw::geotiff_or_kmz, kL1AB, true},
    {PT_AMSR2_L1B, "It is GCOM-W/L1B Product.", nullptr, ST_GCOMW_L1AB, sm::all, AT_AMSR2, gw::geotiff_or_kmz, kL1AB, true},
    {PT_AMSR2_L1R, "It is GCOM-W/L1R Product.", nullptr, ST_GCOMW_L1R, sm::all, AT_AMSR2, gw::geotiff_or_kmz, kL1R, false},
    {PT_AMSR2_L2_HIGH, "It is GCOM-W/L2High Product.", nullptr, ST_GCOMW_L2HIGH, sm::below_count, AT_AMSR2, gw::geotiff_or_kmz, kL2High, false},
    {PT_AMSR2_L2_LOW, "It is GCOM-W/L2Low(", ") Product.", ST_GCOMW_L2LOW, sm::l2low_names, AT_AMSR2, gw::geotiff_or_kmz, kL2Low, false},
    {PT_AMSR2_L3_BT, "It is GCOM-W/L3BT Product.", nullptr, ST_GCOMW_L3BT, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_AMSR2_L3_GD, "It is GCOM-W/L3GD(", ") Product.", ST_GCOMW_L3GD, sm::l3gd_names, AT_AMSR2, gw::never, kNone, false},
    {PT_AMSRE_L1B, "It is AMSR-E/L1B Product.", nullptr, ST_AMSRE_L1AB, sm::all, AT_AMSRE, gw::geotiff_or_kmz, kL1AB, true},
    {PT_AMSRE_L1R, "It is AMSR-E/L1R Product.", nullptr, ST_AMSRE_L1R, sm::all, AT_AMSRE, gw::geotiff_or_kmz, kL1R, false},
    {PT_AMSRE_L2_HIGH, "It is AMSR-E/L2High Product.", nullptr, ST_AMSRE_L2HIGH, sm::below_count, AT_AMSRE, gw::geotiff_or_kmz, kL2High, false},
    {PT_AMSRE_L2_LOW, "It is AMSR-E/L2Low(", ") Product.", ST_AMSRE_L2LOW, sm::l2low_names, AT_AMSRE, gw::geotiff_or_kmz, kL2Low, false},
    {PT_AMSRE_L3_BT, "It is AMSR-E/L3BT Product.", nullptr, ST_AMSRE_L3BT, sm::all, AT_AMSRE, gw::never, kNone, false},
    {PT_AMSRE_L3_GD, "It is AMSR-E/L3GD(", ") Product.", ST_AMSRE_L3GD, sm::l3gd_names, AT_AMSRE, gw::never, kNone, false},
    {PT_GSMAP_HOURLY, "It is GSMaP/Hourly-L3 Product.", nullptr, ST_GSMAP_HOURLY, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_GSMAP_MONTHLY, "It is GSMaP/Monthly-L3 Product.", nullptr, ST_GSMAP_MONTHLY, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_DPR_DAILY, "It is DPR/Daily-L3 Product.", nullptr, ST_DPR_DAILY, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_DPR_MONTHLY, "It is DPR/Monthly-L3 Product.", nullptr, ST_DPR_MONTHLY, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_DPRV7_DAILY, "It is DPRv7/Daily-L3 Product.", nullptr, ST_DPRV7_DAILY, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_DPRV7_MONTHLY, "It is DPRv7/Monthly-L3 Product.", nullptr, ST_DPRV7_MONTHLY, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_SGLI_VNR, "It is GCOM-C L1B VNR Product.", nullptr, ST_GCOMC_VNR, sm::all, AT_AMSR2, gw::geotiff_only, kVNR, false},
    {PT_SGLI_POL, "It is GCOM-C L1B POL Product.", nullptr, ST_GCOMC_POL, sm::all, AT_AMSR2, gw::geotiff_only, kPOL, false},
    {PT_SGLI_IRS, "It is GCOM-C L1B IRS Product.", nullptr, ST_GCOMC_IRS, sm::all, AT_AMSR2, gw::geotiff_only, kIRS, false},
    {PT_SGLI_NWLR, "It is GCOM-C L2 NWLR Product.", nullptr, ST_GCOMC_NWLR, sm::all, AT_AMSR2, gw::geotiff_only, kNWLR, false},
    {PT_SGLI_IWPR, "It is GCOM-C L2 IWPR Product.", nullptr, ST_GCOMC_IWPR, sm::all, AT_AMSR2, gw::geotiff_only, kIWPR, false},
    {PT_SGLI_SST, "It is GCOM-C L2 SSTD/SSTN Product.", nullptr, ST_GCOMC_SST, sm::all, AT_AMSR2, gw::geotiff_only, kSST, false},
    {PT_SGLI_LTOA, "It is GCOM-C L2 LTOA Product.", nullptr, ST_GCOMC_LTOA, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_SGLI_RSRF, "It is GCOM-C L2 RSRF Product.", nullptr, ST_GCOMC_RSRF, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_SGLI_LST, "It is GCOM-C L2 LST Product.", nullptr, ST_GCOMC_LST, sm::all, AT_AMSR2, gw::never, kNone, false},
    {PT_SGLI_CLFG, "It is GCOM-C L2 CLFG Product.", nullptr, ST_GCOMC_CLFG, sm::all, AT_AMSR2, gw::never, kNone, false},
};
// clang-format on

constexpr const char* kGsmapDailyLine = "It is GSMaP/Daily-L3 Product.";

// With two or more selectable layers, a geophysical file also offers its
// second layer under another key; later layers have no key and are not offered.
struct second_candidate {
    const char* geoName;
    const char* key;
};
constexpr second_candidate kSecondCandidates[] = {{"SND", "SWE"}, {"SST", "SST10GHz"}};

// clang-format off
const jasmes_rule kJasmesRules[] = {
    {JA_GLOBAL, "It is JASMES/GlobalSphere Product.", ST_JASMES_GLOBAL, &spconverter::get_OptSet_JASMES_Global, jasmes_keys::global_flag_type},
    {JA_JAPAN, "It is JASMES/Japan Product.", ST_JASMES_JAPAN, &spconverter::get_OptSet_JASMES_Japan, jasmes_keys::local_lst},
    {JA_THAILAND, "It is JASMES/Thailand Product.", ST_JASMES_THAILAND, &spconverter::get_OptSet_JASMES_Thailand, jasmes_keys::local_lst},
    {JA_GOBI, "It is JASMES/Gobi Product.", ST_JASMES_GOBI, &spconverter::get_OptSet_JASMES_Gobi, jasmes_keys::gobi_fixed},
};
// clang-format on
const jasmes_rule kUnknownJasmes = {JA_NONE, "It is Unknown JASMES Product... skipped.", ST_NONE, nullptr,
                                    jasmes_keys::gobi_fixed};

// Flag files of the global grid carry their HDF4 flag type in the key.
constexpr const char* kGlobalFlagParas[] = {"cs_flg_tpf", "Surface_Flag"};
constexpr const char* kGobiKeys[] = {"rcr", "taua", "aot"};

} // namespace

const product_rule* find_product_rule(productType kind)
{
    for (const auto& rule : kProductRules) {
        if (rule.kind == kind) return &rule;
    }
    return nullptr;
}

std::string product_line(const product_rule& rule, const std::string& geoName, const std::string& label)
{
    if (label == kGsmapDailyLabel) return kGsmapDailyLine;
    std::string line = rule.head;
    if (rule.tail) line += geoName + rule.tail;
    return line;
}

std::uint32_t variable_count(const product_rule& rule, std::uint32_t count)
{
    const auto reads = static_cast<std::uint32_t>(rule.reads.size());
    return count > reads ? count - reads : 0;
}

std::vector<std::string> geophysical_candidates(const std::string& geoName, std::uint32_t count)
{
    std::vector<std::string> keys{geoName};
    if (count < 2) return keys;
    for (const auto& second : kSecondCandidates) {
        if (geoName == second.geoName) keys.emplace_back(second.key);
    }
    return keys;
}

std::string geophysical_name_of_key(const std::string& key)
{
    for (const auto& second : kSecondCandidates) {
        if (key == second.key) return second.geoName;
    }
    return key;
}

const jasmes_rule& find_jasmes_rule(JasmesArea area)
{
    for (const auto& rule : kJasmesRules) {
        if (rule.area == area) return rule;
    }
    return kUnknownJasmes;
}

std::vector<std::string> jasmes_candidates(const jasmes_rule& rule, const std::string& para,
                                           const std::string& hdf4Type)
{
    if (!rule.lookup) return {};
    switch (rule.keys) {
    case jasmes_keys::global_flag_type:
        for (const char* flagPara : kGlobalFlagParas) {
            if (para == flagPara && !hdf4Type.empty()) return {hdf4Type + "(" + para + ")"};
        }
        return {para};
    case jasmes_keys::local_lst:
        // The option key of the land surface temperature has a trailing '_'.
        return {trim_space(para) == "lst" ? std::string("lst_") : para};
    case jasmes_keys::gobi_fixed: return {std::begin(kGobiKeys), std::end(kGobiKeys)};
    }
    return {};
}

} // namespace vardane
