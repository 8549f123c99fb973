#include "integration/gridded_checksum_table.h"

#include <array>

namespace vardane {

namespace integration {

std::span<const gridded_input> gridded_inputs()
{
    static const std::array<gridded_input, 13> inputs{{
        {"AMSR2_L3_BT", "AMSR2_L3_BT.h5", {}},
        {"AMSR2_L3_GD", "AMSR2_L3_GD.h5", {{"geo", "SND"}}},
        {"AMSRE_L3_BT", "AMSRE_L3_BT.h5", {}},
        {"AMSRE_L3_GD", "AMSRE_L3_GD.h5", {{"geo", "TPW"}}},
        {"GSMAP_HOURLY", "GSMAP_HOURLY.h5", {}},
        {"GSMAP_MONTHLY", "GSMAP_MONTHLY.h5", {}},
        {"DPR_DAILY", "DPR_DAILY.h5", {}},
        {"DPR_MONTHLY", "DPR_MONTHLY.h5", {}},
        {"DPRV7_DAILY", "DPRV7_DAILY.h5", {}},
        {"DPRV7_MONTHLY", "DPRV7_MONTHLY.h5", {}},
        {"GSMAP_BIN", "gsmap_rain.dat", {}},
        {"JASMES_HDR", "jasmes.dat", {}},
        {"JASMES_HDF4", "flags.hdf", {}},
    }};
    return inputs;
}

std::span<const pinned_output> pinned_outputs()
{
    static const std::array<pinned_output, 32> outputs{{
        {"AMSR2_L3_BT_BT_H.tif", 0xe5061cfb9dda6b20ull},
        {"AMSR2_L3_BT_BT_V.tif", 0x3b0c7811130f5327ull},
        {"AMSR2_L3_GD_SND.tif", 0x2b3bf89cdc530184ull},
        {"AMSR2_L3_GD_SND_SWE.tif", 0xc1e40d2072c4f96eull},
        {"AMSRE_L3_BT_BT_H.tif", 0x5e028ac00c014aebull},
        {"AMSRE_L3_BT_BT_V.tif", 0xd91fea5254ff053aull},
        {"AMSRE_L3_GD_TPW.tif", 0x1d7b4135ff0d12d5ull},
        {"DPRV7_DAILY_PRC_DPF_A.tif", 0xa666dccf80e308e3ull},
        {"DPRV7_DAILY_PRC_DPF_D.tif", 0x9932274a82ac8961ull},
        {"DPRV7_DAILY_PRC_DPM_A.tif", 0x4ea0712164c644caull},
        {"DPRV7_DAILY_PRC_DPM_D.tif", 0x931f63abcc1083d0ull},
        {"DPRV7_DAILY_PRC_KUF_A.tif", 0xfe0b5bae362387d4ull},
        {"DPRV7_DAILY_PRC_KUF_D.tif", 0x670a29493ff7b45cull},
        {"DPRV7_MONTHLY_PRC_DPF_ALL.tif", 0xd7a0ab45813ced80ull},
        {"DPRV7_MONTHLY_PRC_DPF_CON.tif", 0x12f4cb6400008ec3ull},
        {"DPRV7_MONTHLY_PRC_DPF_STR.tif", 0xc9567914abbdd24cull},
        {"DPRV7_MONTHLY_PRC_KAF_ALL.tif", 0x8c10833bbf894e96ull},
        {"DPRV7_MONTHLY_PRC_KAF_CON.tif", 0xc25fc0d0cd532adbull},
        {"DPRV7_MONTHLY_PRC_KAF_STR.tif", 0x90ae1df2e0599133ull},
        {"DPRV7_MONTHLY_PRC_KUF_ALL.tif", 0x8e3ff9be84c5ea03ull},
        {"DPRV7_MONTHLY_PRC_KUF_CON.tif", 0x3fb8eea769e5dfe4ull},
        {"DPRV7_MONTHLY_PRC_KUF_STR.tif", 0x4853f9c9c9df01d7ull},
        {"DPR_DAILY_PRC_DPM_A.tif", 0xa666dccf80e308e3ull},
        {"DPR_DAILY_PRC_DPM_D.tif", 0x9932274a82ac8961ull},
        {"DPR_DAILY_PRC_KUN_A.tif", 0x4ea0712164c644caull},
        {"DPR_DAILY_PRC_KUN_D.tif", 0x931f63abcc1083d0ull},
        {"DPR_MONTHLY_PRC_KUN_ALL.tif", 0x8e3ff9be84c5ea03ull},
        {"GSMAP_HOURLY_PRC.tif", 0xf8e0d3dfebd25832ull},
        {"GSMAP_MONTHLY_PRC.tif", 0xf9ed345eb7adce38ull},
        {"flags_rcr.tif", 0xa5796a0162a93e65ull},
        {"gsmap_rain_PRC.tif", 0x89ce2fa11390812dull},
        {"jasmes_rcr.tif", 0x40c9da594e0358bcull},
    }};
    return outputs;
}

} // namespace integration

} // namespace vardane
