#include <gtest/gtest.h>

#include <limits>

#include "util/string_utils.h"
#include "util/view.h"

namespace vardane {

using namespace std::string_literals;
using Parts = std::vector<std::string>;

TEST(Trim, BlanksOnlyForTrimSpaceAllAsciiWhiteSpaceForTrim)
{
    EXPECT_EQ(trim_space("  a b  "), "a b");
    EXPECT_EQ(trim_space("   "), "");
    EXPECT_EQ(trim_space(" \tx\n "), "\tx\n");
    std::string s = "\t\r\n\v\f \t";
    EXPECT_EQ(trim(s), "");
    std::string t = " \tab c\n";
    EXPECT_EQ(trim(t), "ab c");
    std::string l = "  x ";
    EXPECT_EQ(ltrim(l), "x ");
    std::string r = "  x ";
    EXPECT_EQ(rtrim(r), "  x");
}

TEST(Normalize, NonAlnumBecomesUnderscoreLengthKept)
{
    EXPECT_EQ(normalize("SST 10GHz(K)"), "SST_10GHz_K_");
    EXPECT_EQ(normalize(""), "");
    EXPECT_EQ(normalize("\xC3\xA9z"), "__z");
}

TEST(Split, EmptyPartsAndLimits)
{
    EXPECT_EQ(split("a,,b,", ','), (Parts{"a", "", "b", ""}));
    EXPECT_EQ(split("", ','), (Parts{""}));
    EXPECT_EQ(split("a,b,c", ',', 2), (Parts{"a", "b,c"}));
    EXPECT_EQ(split("a,b,c", ',', 1), (Parts{"a,b,c"}));
    EXPECT_EQ(split(",", ','), (Parts{"", ""}));
}

TEST(PathNames, BothSeparators)
{
    EXPECT_EQ(basicfname("C:\\data\\x.h5"), "x.h5");
    EXPECT_EQ(basicfname("/data/x.h5"), "x.h5");
    EXPECT_EQ(basicfname("x"), "x");
    EXPECT_EQ(basicfname("C:\\data\\"), "");
    EXPECT_EQ(basicfname("/data/"), "");
    EXPECT_EQ(basicfname("  "), "");
    EXPECT_EQ(basename("C:\\data\\GW1AM2_L1B.h5"s), "GW1AM2_L1B");
    EXPECT_EQ(basename("/data/GW1AM2_L1B.h5"s), "GW1AM2_L1B");
    EXPECT_EQ(basename("a.b.c"s), "a.b");
    EXPECT_EQ(basename("C:\\v1.2\\readme"s), "");
    EXPECT_EQ(basename("/v1.2/readme"s), "");
    EXPECT_EQ(basename(".hidden"s), "");
    EXPECT_EQ(basename("noext"s), "noext");
}

TEST(PathNames, InputBaseNameLooksThroughGzip)
{
    EXPECT_EQ(input_base_name("/in/gsmap_mvk.20220701.0000.v8.0000.0.dat"), "gsmap_mvk.20220701.0000.v8.0000.0");
    EXPECT_EQ(input_base_name("/in/gsmap_mvk.20220701.0000.v8.0000.0.dat.gz"), "gsmap_mvk.20220701.0000.v8.0000.0");
    EXPECT_EQ(input_base_name("in/ndvi.dat.GZ"), "ndvi");
    EXPECT_EQ(input_base_name("a.gz"), "a");
    EXPECT_EQ(input_base_name("/in/GW1AM2_L1B.h5"), "GW1AM2_L1B");
}

TEST(ParseCor, FirstMinusSplitsKeyAndValue)
{
    const auto m = parse_cor("89A-1.5,89B--0.25");
    ASSERT_EQ(m.size(), 2u);
    EXPECT_FLOAT_EQ(m.at("89A"), 1.5f);
    EXPECT_FLOAT_EQ(m.at("89B"), -0.25f);
    EXPECT_TRUE(parse_cor("abc").empty());
    const auto later = parse_cor("6G-1,6G-2, 7G-x");
    EXPECT_FLOAT_EQ(later.at("6G"), 2.0f);
    EXPECT_FLOAT_EQ(later.at(" 7G"), 0.0f);
}

TEST(GetXY, MapsIntoTheViewItBelongsTo)
{
    const view_mapping view(view_t{360, 180, -180, -90, 180, 90, ""});
    int c = -1, r = -1;
    view.getXY(-180.0f, 90.0f, c, r);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 0);
    view.getXY(0.2f, 0.6f, c, r);
    EXPECT_EQ(c, 180);
    EXPECT_EQ(r, 89);
    // A lost position stays far outside instead of overflowing.
    view.getXY(1e30f, std::numeric_limits<float>::quiet_NaN(), c, r);
    EXPECT_EQ(c, view_mapping::kFar);
    EXPECT_EQ(r, -view_mapping::kFar);
}

} // namespace vardane
