#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "output/invalid_value.h"

using rule = invalid_value::rule;

TEST(InvalidValue, PiecesBecomeRulesInOrderAndBadPiecesAreSkipped)
{
    const invalid_value v("-9999,_-100,100_200,abc");
    ASSERT_EQ(v.rules().size(), 3u);
    EXPECT_EQ(v.rules()[0].kind, invalid_value::EQUAL);
    EXPECT_FLOAT_EQ(v.rules()[0].low, -9999.0f);
    EXPECT_EQ(v.rules()[1].kind, invalid_value::AT_MOST);
    EXPECT_FLOAT_EQ(v.rules()[1].high, -100.0f);
    EXPECT_EQ(v.rules()[2].kind, invalid_value::BETWEEN);
    EXPECT_FLOAT_EQ(v.rules()[2].low, 100.0f);
    EXPECT_FLOAT_EQ(v.rules()[2].high, 200.0f);
}

TEST(InvalidValue, TrailingUnderscoreMeansAtLeast)
{
    const invalid_value v("0,65534_");
    ASSERT_EQ(v.rules().size(), 2u);
    EXPECT_EQ(v.rules()[0].kind, invalid_value::EQUAL);
    EXPECT_EQ(v.rules()[1].kind, invalid_value::AT_LEAST);
    EXPECT_FLOAT_EQ(v.rules()[1].low, 65534.0f);
    EXPECT_TRUE(v.is_invalid(0.0f));
    EXPECT_TRUE(v.is_invalid(65535.0f));
    EXPECT_TRUE(v.is_invalid(65534.0f));
    EXPECT_FALSE(v.is_invalid(65533.0f));
    EXPECT_FALSE(v.is_invalid(1.0f));
}

TEST(InvalidValue, MalformedPiecesGiveNoRule)
{
    EXPECT_TRUE(invalid_value("").rules().empty());
    EXPECT_TRUE(invalid_value(",,").rules().empty());
    EXPECT_TRUE(invalid_value("_").rules().empty());
    EXPECT_TRUE(invalid_value("1_2_3").rules().empty());
    EXPECT_TRUE(invalid_value("x_5,5_y,12abc").rules().empty());
    // A bad piece does not stop the ones after it.
    EXPECT_EQ(invalid_value("1_2_3,,7").rules().size(), 1u);
}

TEST(InvalidValue, BoundsAreInclusiveAndNaNNeverMatches)
{
    const invalid_value v("_-100,100_200");
    EXPECT_TRUE(v.is_invalid(-100.0f));
    EXPECT_FALSE(v.is_invalid(-99.5f));
    EXPECT_TRUE(v.is_invalid(100.0f));
    EXPECT_TRUE(v.is_invalid(200.0f));
    EXPECT_FALSE(v.is_invalid(200.5f));
    EXPECT_FALSE(v.is_invalid(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(invalid_value("").is_invalid(-9999.0f));
    EXPECT_FALSE(invalid_value("0_").is_invalid(std::nanf("")));
}

TEST(InvalidValue, FractionsCompareAtFloatPrecision)
{
    // 0.1 is stored as a float and the value arrives as a float: both sides
    // round the same way, so the equality rule still matches.
    const invalid_value v("0.1, -0.5_-0.25");
    EXPECT_TRUE(v.is_invalid(0.1f));
    EXPECT_TRUE(v.is_invalid(-0.3f));
}
