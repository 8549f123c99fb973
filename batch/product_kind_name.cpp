#include "batch/product_kind_name.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vardane {

namespace {

constexpr std::pair<productType, const char*> kNames[] = {
    {PT_JASMES_RAW, "JASMES_RAW"},       {PT_JASMES_HDR, "JASMES_HDR"},     {PT_JASMES_HDF4, "JASMES_HDF4"},
    {PT_AMSR2_L1A, "AMSR2_L1A"},         {PT_AMSR2_L1B, "AMSR2_L1B"},       {PT_AMSR2_L1R, "AMSR2_L1R"},
    {PT_AMSR2_L2_HIGH, "AMSR2_L2_HIGH"}, {PT_AMSR2_L2_LOW, "AMSR2_L2_LOW"}, {PT_AMSR2_L3_BT, "AMSR2_L3_BT"},
    {PT_AMSR2_L3_GD, "AMSR2_L3_GD"},     {PT_AMSRE_L1B, "AMSRE_L1B"},       {PT_AMSRE_L1R, "AMSRE_L1R"},
    {PT_AMSRE_L2_HIGH, "AMSRE_L2_HIGH"}, {PT_AMSRE_L2_LOW, "AMSRE_L2_LOW"}, {PT_AMSRE_L3_BT, "AMSRE_L3_BT"},
    {PT_AMSRE_L3_GD, "AMSRE_L3_GD"},     {PT_GSMAP_HOURLY, "GSMAP_HOURLY"}, {PT_GSMAP_MONTHLY, "GSMAP_MONTHLY"},
    {PT_DPR_DAILY, "DPR_DAILY"},         {PT_DPR_MONTHLY, "DPR_MONTHLY"},   {PT_DPRV7_DAILY, "DPRV7_DAILY"},
    {PT_DPRV7_MONTHLY, "DPRV7_MONTHLY"}, {PT_SGLI_VNR, "SGLI_VNR"},         {PT_SGLI_POL, "SGLI_POL"},
    {PT_SGLI_IRS, "SGLI_IRS"},           {PT_SGLI_NWLR, "SGLI_NWLR"},       {PT_SGLI_IWPR, "SGLI_IWPR"},
    {PT_SGLI_SST, "SGLI_SST"},           {PT_SGLI_LTOA, "SGLI_LTOA"},       {PT_SGLI_RSRF, "SGLI_RSRF"},
    {PT_SGLI_LST, "SGLI_LST"},           {PT_SGLI_CLFG, "SGLI_CLFG"},
};

} // namespace

std::string product_kind_name(productType kind)
{
    const auto it =
        std::find_if(std::begin(kNames), std::end(kNames), [kind](const auto& row) { return row.first == kind; });
    return it == std::end(kNames) ? std::string() : it->second;
}

} // namespace vardane
