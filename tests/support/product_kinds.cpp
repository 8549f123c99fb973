#include "support/product_kinds.h"

namespace vardane {

namespace test_support {

const std::vector<hdf5_kind>& hdf5_kinds()
{
    static const std::vector<hdf5_kind> kinds = {
        {"AMSR2_L1A", {}, PT_AMSR2_L1A, "It is GCOM-W/L1A Product."},
        {"AMSR2_L1B", {}, PT_AMSR2_L1B, "It is GCOM-W/L1B Product."},
        {"AMSR2_L1R", {}, PT_AMSR2_L1R, "It is GCOM-W/L1R Product."},
        {"AMSR2_L2_HIGH", {}, PT_AMSR2_L2_HIGH, "It is GCOM-W/L2High Product."},
        {"AMSR2_L2_LOW", {{"geo", "SST"}}, PT_AMSR2_L2_LOW, "It is GCOM-W/L2Low(SST) Product."},
        {"AMSR2_L3_BT", {}, PT_AMSR2_L3_BT, "It is GCOM-W/L3BT Product."},
        {"AMSR2_L3_GD", {{"geo", "SND"}}, PT_AMSR2_L3_GD, "It is GCOM-W/L3GD(SND) Product."},
        {"AMSRE_L1B", {}, PT_AMSRE_L1B, "It is AMSR-E/L1B Product."},
        {"AMSRE_L1R", {}, PT_AMSRE_L1R, "It is AMSR-E/L1R Product."},
        {"AMSRE_L2_HIGH", {}, PT_AMSRE_L2_HIGH, "It is AMSR-E/L2High Product."},
        {"AMSRE_L2_LOW", {{"geo", "SND"}}, PT_AMSRE_L2_LOW, "It is AMSR-E/L2Low(SND) Product."},
        {"AMSRE_L3_BT", {}, PT_AMSRE_L3_BT, "It is AMSR-E/L3BT Product."},
        {"AMSRE_L3_GD", {{"geo", "TPW"}}, PT_AMSRE_L3_GD, "It is AMSR-E/L3GD(TPW) Product."},
        {"GSMAP_HOURLY", {}, PT_GSMAP_HOURLY, "It is GSMaP/Hourly-L3 Product."},
        {"GSMAP_MONTHLY", {}, PT_GSMAP_MONTHLY, "It is GSMaP/Monthly-L3 Product."},
        {"DPR_DAILY", {}, PT_DPR_DAILY, "It is DPR/Daily-L3 Product."},
        {"DPR_MONTHLY", {}, PT_DPR_MONTHLY, "It is DPR/Monthly-L3 Product."},
        {"DPRV7_DAILY", {}, PT_DPRV7_DAILY, "It is DPRv7/Daily-L3 Product."},
        {"DPRV7_MONTHLY", {}, PT_DPRV7_MONTHLY, "It is DPRv7/Monthly-L3 Product."},
        {"SGLI_VNR", {}, PT_SGLI_VNR, "It is GCOM-C L1B VNR Product."},
        {"SGLI_POL", {}, PT_SGLI_POL, "It is GCOM-C L1B POL Product."},
        {"SGLI_IRS", {}, PT_SGLI_IRS, "It is GCOM-C L1B IRS Product."},
        {"SGLI_NWLR", {}, PT_SGLI_NWLR, "It is GCOM-C L2 NWLR Product."},
        {"SGLI_IWPR", {}, PT_SGLI_IWPR, "It is GCOM-C L2 IWPR Product."},
        {"SGLI_SST", {}, PT_SGLI_SST, "It is GCOM-C L2 SSTD/SSTN Product."},
        {"SGLI_LTOA", {}, PT_SGLI_LTOA, "It is GCOM-C L2 LTOA Product."},
        {"SGLI_RSRF", {}, PT_SGLI_RSRF, "It is GCOM-C L2 RSRF Product."},
        {"SGLI_LST", {}, PT_SGLI_LST, "It is GCOM-C L2 LST Product."},
        {"SGLI_CLFG", {}, PT_SGLI_CLFG, "It is GCOM-C L2 CLFG Product."},
    };
    return kinds;
}

} // namespace test_support

} // namespace vardane
