// The fixed-column header formats and their word rule.
#include <gtest/gtest.h>

#include <cmath>

#include "jasmes/jasmes_synth.h"
#include "reader/jasmes/jasmes_header.h"

namespace vardane {

namespace {

const synth_grid& gobi() { return *find_synth_grid("gobi"); }

TEST(JasmesHeader, NaturalWordRule)
{
    EXPECT_TRUE(isNaturalWord("  1441"));
    EXPECT_TRUE(isNaturalWord("ab  "));
    EXPECT_FALSE(isNaturalWord(""));
    EXPECT_FALSE(isNaturalWord("     7")); // one character left
    EXPECT_FALSE(isNaturalWord("  1,441"));
    EXPECT_FALSE(isNaturalWord(" 12 34"));
    EXPECT_FALSE(isNaturalWord("12\t4"));
    EXPECT_FALSE(isNaturalWord("ab\xc3\xa9"));
}

TEST(JasmesHeader, T1FullLine)
{
    const auto line = t1_header_line(gobi(), 0.015, -2.0, "chla", "Gobi_test_area");
    ASSERT_EQ(line.size(), 110u);
    JasmesHeader_t h;
    EXPECT_FALSE(parse_header_T2(line, h));
    EXPECT_FALSE(parse_header_T1rgb(line, h));
    ASSERT_TRUE(parse_header_T1(line, h));
    EXPECT_EQ(h.width, 1441);
    EXPECT_EQ(h.height, 461);
    EXPECT_DOUBLE_EQ(h.lon, 75.0);
    EXPECT_DOUBLE_EQ(h.lat, 50.0);
    EXPECT_DOUBLE_EQ(h.resolution, 0.05);
    EXPECT_DOUBLE_EQ(h.scale, 0.015);
    EXPECT_DOUBLE_EQ(h.offset, -2.0);
    EXPECT_EQ(h.para, "chla    "); // kept with its blanks
    EXPECT_EQ(h.area.substr(0, 14), "Gobi_test_area");
    EXPECT_EQ(h.area.size(), 40u);
}

TEST(JasmesHeader, T1LengthWindows)
{
    const auto full = t1_header_line(gobi(), 1.0, 0.0, "sst", "area");
    JasmesHeader_t h;
    // 36..47 characters: the raw "wst" form, complete after the pixel size.
    for (std::size_t n : {36u, 40u, 47u}) {
        ASSERT_TRUE(parse_header_T1(full.substr(0, n), h)) << n;
        EXPECT_EQ(h.para, "wst");
        EXPECT_EQ(h.area, "WST_raw");
        EXPECT_EQ(h.scale, 0.0);
        EXPECT_EQ(h.width, 1441);
    }
    for (std::size_t n : {0u, 35u, 48u, 80u, 109u}) EXPECT_FALSE(parse_header_T1(full.substr(0, n), h)) << n;
    EXPECT_TRUE(parse_header_T1(full + "  trailing", h));
}

TEST(JasmesHeader, T1UnparsableFieldIsZeroAndNanStaysNan)
{
    auto line = t1_header_line(gobi(), 1.0, 0.0, "sst", "area");
    line.replace(12, 8, "  abc   ");
    line.replace(28, 8, "     nan");
    JasmesHeader_t h;
    ASSERT_TRUE(parse_header_T1(line, h));
    EXPECT_EQ(h.lon, 0.0);
    EXPECT_TRUE(std::isnan(h.resolution));
}

TEST(JasmesHeader, T1rgb)
{
    const auto line = t1rgb_header_line(gobi(), 1.0, 0.0, "rgb", "Gobi_rgb");
    ASSERT_EQ(line.size(), 106u);
    JasmesHeader_t h;
    EXPECT_FALSE(parse_header_T2(line, h));
    ASSERT_TRUE(parse_header_T1rgb(line, h));
    EXPECT_EQ(h.width, 1441);
    EXPECT_EQ(h.para, "rgb     ");
    EXPECT_DOUBLE_EQ(h.scale, 1.0);
    // A comma in the width field, or a blank inside the area text, is refused.
    auto comma = line;
    comma.replace(0, 6, " 1,441");
    EXPECT_FALSE(parse_header_T1rgb(comma, h));
    auto blank = line;
    blank.replace(64, 8, "Gobi rgb");
    EXPECT_FALSE(parse_header_T1rgb(blank, h));
    EXPECT_FALSE(parse_header_T1rgb(line.substr(0, 105), h));
}

TEST(JasmesHeader, T2)
{
    std::vector<double> scales(23);
    for (std::size_t k = 0; k < scales.size(); ++k) scales[k] = 0.001 * (k + 1);
    const auto line = t2_header_line(gobi(), scales);
    JasmesHeader_t h;
    ASSERT_TRUE(parse_header_T2(line, h));
    EXPECT_EQ(h.bands, 23);
    EXPECT_EQ(h.width, 1441);
    EXPECT_EQ(h.height, 461);
    EXPECT_DOUBLE_EQ(h.lat, 50.0);
    EXPECT_DOUBLE_EQ(h.bandScale[0], 0.001);
    EXPECT_DOUBLE_EQ(h.bandScale[22], 0.023);

    auto comma = line;
    comma.replace(0, 6, " 1,441");
    EXPECT_FALSE(parse_header_T2(comma, h));
    // A missing band scale (line cut short) is refused.
    EXPECT_FALSE(parse_header_T2(line.substr(0, 42 + 8 * 22), h));
    // Band counts outside 1..32.
    auto zero = line;
    zero.replace(39, 3, "000");
    EXPECT_FALSE(parse_header_T2(zero, h));
    auto many = line;
    many.replace(39, 3, "033");
    EXPECT_FALSE(parse_header_T2(many, h));
}

} // namespace

} // namespace vardane
