#include <gtest/gtest.h>

#include <string>

#include "settings_test_support.h"

namespace vardane {

TEST(ProjectionSettings, KindsOneToTwentyTwoOnlyAndGlobalJasmesAlwaysLatLon)
{
    spconverter cvt;
    for (int k = 1; k <= 32; ++k) {
        TiffGenType gen = TG_POLAR_SOUTH;
        EXPECT_EQ(cvt.get_ProjectionSetting(static_cast<SettingType>(k), gen), k <= 22) << k;
        EXPECT_EQ(gen, k <= 22 ? TG_EQR : TG_POLAR_SOUTH) << k;
    }
    TiffGenType gen = TG_POLAR_SOUTH;
    EXPECT_FALSE(cvt.get_ProjectionSetting(ST_NONE, gen));
    EXPECT_FALSE(cvt.set_ProjectionSetting(ST_GCOMC_LTOA, TG_POLAR_NORTH));

    EXPECT_TRUE(cvt.set_ProjectionSetting(ST_AMSRE_L3BT, TG_POLAR_NORTH));
    EXPECT_EQ(projection_of(cvt, ST_AMSRE_L3BT), TG_POLAR_NORTH);
    EXPECT_EQ(projection_of(cvt, ST_GCOMW_L3BT), TG_EQR);

    EXPECT_TRUE(cvt.set_ProjectionSetting(ST_JASMES_GLOBAL, TG_POLAR_NORTH));
    EXPECT_EQ(projection_of(cvt, ST_JASMES_GLOBAL), TG_EQR);
}

namespace {

productInfo_t corners(double lat0, double lon0)
{
    productInfo_t info;
    info.para = "Brightness Temperature (89.0GHz-A,H)";
    info.corner[0] = {lat0, lon0};
    info.corner[1] = {35.5, 140.25};
    info.corner[2] = {-0.00001, 0.0};
    info.corner[3] = {-89.99996, 179.99996};
    return info;
}

} // namespace

TEST(PositionInformation, BlockLayoutAndRounding)
{
    const spconverter cvt;
    const std::string block =
        cvt.create_PosInfodata(corners(35.123456, -139.00006), "/data/in/GW1AM2_L1B.h5", "GW1AM2_L1B_89A_H.tif");
    EXPECT_EQ(block, "OUTPUT FILE:GW1AM2_L1B_89A_H.tif\n"
                     "\tINPUT FILE:GW1AM2_L1B.h5\n"
                     "\tFIELD NAME:Brightness Temperature (89.0GHz-A,H)\n"
                     "\tUL CORNER LAT/LON:35.1235/-139.0001\n"
                     "\tUR CORNER LAT/LON:35.5000/140.2500\n"
                     "\tLL CORNER LAT/LON:-0.0000/0.0000\n"
                     "\tLR CORNER LAT/LON:-90.0000/180.0000\n");

    // Folder separators of either kind are the path helpers' concern (tests/util).
    // No fixed-size buffer cuts a long name.
    const std::string long_name(5000, 'v');
    const std::string long_block = cvt.create_PosInfodata(corners(1.5, 2.5), "/in/" + long_name, long_name + ".tif");
    EXPECT_NE(long_block.find("OUTPUT FILE:" + long_name + ".tif\n"), std::string::npos);
    EXPECT_NE(long_block.find("\tINPUT FILE:" + long_name + "\n"), std::string::npos);
}

} // namespace vardane
