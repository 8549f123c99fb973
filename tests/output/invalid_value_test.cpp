#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "output/invalid_value.h"

TEST(InvalidValue, EachPieceMatchesItsValuesBoundsIncludedAndBadPiecesAreSkipped)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct probe {
        const char* text;
        float value;
        bool invalid;
    };
    const probe probes[] = {
        {"-9999,_-100,100_200,abc", -9999.0f, true}, {"-9999,_-100,100_200,abc", -100.0f, true},
        {"-9999,_-100,100_200,abc", -99.5f, false},  {"-9999,_-100,100_200,abc", 100.0f, true},
        {"-9999,_-100,100_200,abc", 200.0f, true},   {"-9999,_-100,100_200,abc", 200.5f, false},
        {"-9999,_-100,100_200,abc", nan, false},     {"0,65534_", 0.0f, true},
        {"0,65534_", 65534.0f, true},                {"0,65534_", 65535.0f, true},
        {"0,65534_", 65533.0f, false},               {"0,65534_", 1.0f, false},
        {"0_", std::nanf(""), false},                {"", -9999.0f, false},
        // A bad piece does not stop the ones after it.
        {"1_2_3,,7", 7.0f, true},                    {"1_2_3,,7", 2.0f, false},
        // Both sides are floats and round alike, so 0.1 still matches.
        {"0.1, -0.5_-0.25", 0.1f, true},             {"0.1, -0.5_-0.25", -0.3f, true},
    };
    for (const auto& p : probes) {
        EXPECT_EQ(invalid_value(p.text).is_invalid(p.value), p.invalid) << '"' << p.text << "\" " << p.value;
    }
    EXPECT_EQ(invalid_value("-9999,_-100,100_200,abc").rules().size(), 3u);
}

TEST(InvalidValue, MalformedPiecesGiveNoRule)
{
    for (const char* text : {"", ",,", "_", "1_2_3", "x_5,5_y,12abc"}) {
        EXPECT_TRUE(invalid_value(text).rules().empty()) << '"' << text << '"';
    }
}
