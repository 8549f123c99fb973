// The window's toolkit switches the C library to the user's locale; the
// numbers of the settings file and of the position text must read and
// write exactly as in the "C" locale there.
#include <gtest/gtest.h>

#include <string>

#include "settings_test_support.h"
#include "support/comma_locale.h"

namespace vardane {

using test_support::comma_locale;

namespace {

productInfo_t corners()
{
    productInfo_t info;
    info.para = "Brightness Temperature (6.9GHz,H)";
    info.corner[0] = {1.5, 2.5};
    info.corner[1] = {35.123456, -139.00006};
    info.corner[2] = {-0.00001, 0.0};
    info.corner[3] = {-89.99996, 179.99996};
    return info;
}

optSet_t colour_bar(float minimum, float maximum, const std::string& invalid)
{
    optSet_t cb;
    cb.custom_colorbar = true;
    cb.cb_min = minimum;
    cb.cb_max = maximum;
    cb.invalid_values = invalid;
    return cb;
}

} // namespace

TEST(NumberTexts, DecimalPointUnderACommaLocale)
{
    spconverter cvt;
    ASSERT_TRUE(cvt.set_CbOptSetting(ST_GSMAP_HOURLY, "PercipRate", colour_bar(0.5f, 1234.5678f, "0.5,-999.9")));
    const std::string blockInC = cvt.create_PosInfodata(corners(), "a", "b");
    const std::string settingsInC = settings_text(cvt);

    const comma_locale locale;
    ASSERT_TRUE(locale.active()) << comma_locale::missing();
    EXPECT_EQ(cvt.create_PosInfodata(corners(), "a", "b"), blockInC);
    EXPECT_EQ(settings_text(cvt), settingsInC);
    EXPECT_NE(blockInC.find("\tUL CORNER LAT/LON:1.5000/2.5000\n\tUR CORNER LAT/LON:35.1235/-139.0001\n"),
              std::string::npos);
    EXPECT_NE(settingsInC.find("\tPercipRate: custom_colorbar=1,0.5,1234.57,0,0.5,-999.9\n"), std::string::npos);
}

// Both line forms of the file, read under the comma locale.
TEST(NumberTexts, SettingsReadUnderACommaLocale)
{
    const comma_locale locale;
    ASSERT_TRUE(locale.active()) << comma_locale::missing();
    spconverter cvt;
    load_text(cvt, "#GCOMW/L2Low\n"
                   "\tTPW: custom_colorbar=1,0.25,75.5,1,0.5,-999.9\n"
                   "\tCLW\t1\tC2\t1\t-1.5e-2\t2.75\t0\t1.5_\n");
    const optSet_t tpw = entry_of(cvt, ST_GCOMW_L2LOW, "TPW");
    EXPECT_EQ(tpw.cb_min, 0.25f);
    EXPECT_EQ(tpw.cb_max, 75.5f);
    EXPECT_TRUE(tpw.cb_log);
    EXPECT_EQ(tpw.invalid_values, "0.5,-999.9");
    const optSet_t clw = entry_of(cvt, ST_GCOMW_L2LOW, "CLW");
    EXPECT_EQ(clw.cb_min, -0.015f);
    EXPECT_EQ(clw.cb_max, 2.75f);
    EXPECT_EQ(clw.invalid_values, "1.5_");
    EXPECT_NE(section_of(settings_text(cvt), "#GCOMW/L2Low").find("\tCLW: custom_colorbar=1,-0.015,2.75,0,1.5_\n"),
              std::string::npos);
}

} // namespace vardane
