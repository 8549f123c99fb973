#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "output/invalid_value.h"
#include "support/comma_locale.h"

namespace vardane {

// Each text's rule count (malformed pieces give none) and what it matches.
TEST(InvalidValue, EachPieceMatchesItsValuesBoundsIncludedAndBadPiecesAreSkipped)
// clang-format off
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct probe {
        const char* text;
        std::size_t rules;
        std::vector<std::pair<float, bool>> values;
    };
    const probe probes[] = {
        {"-9999,_-100,100_200,abc", 3,
         {{-9999.0f, true}, {-100.0f, true}, {-99.5f, false}, {100.0f, true}, {200.0f, true}, {200.5f, false},
          {nan, false}}},
        {"0,65534_", 2, {{0.0f, true}, {65534.0f, true}, {65535.0f, true}, {65533.0f, false}, {1.0f, false}}},
        {"0_", 1, {{nan, false}}},
        {"", 0, {{-9999.0f, false}}},
        // A bad piece does not stop the ones after it.
        {"1_2_3,,7", 1, {{7.0f, true}, {2.0f, false}}},
        // Both sides are floats and round alike, so 0.1 still matches.
        {"0.1, -0.5_-0.25", 2, {{0.1f, true}, {-0.3f, true}}},
        {",,", 0, {}}, {"_", 0, {}}, {"1_2_3", 0, {}}, {"x_5,5_y,12abc", 0, {}},
    };
    for (const auto& p : probes) {
        const invalid_value rules(p.text);
        EXPECT_EQ(rules.rules().size(), p.rules) << '"' << p.text << '"';
        for (const auto& [value, invalid] : p.values) {
            EXPECT_EQ(rules.is_invalid(value), invalid) << '"' << p.text << "\" " << value;
        }
    }
}
// clang-format on

// The window runs under the user's locale; "0.5" must stay one half there.
TEST(InvalidValue, DecimalTextsUnderACommaLocale)
{
    const test_support::comma_locale locale;
    ASSERT_TRUE(locale.active()) << test_support::comma_locale::missing();
    const invalid_value rules("0.5,-999.9,1.25_2.75,_-0.5e1");
    ASSERT_EQ(rules.rules().size(), 4u);
    EXPECT_EQ(rules.rules()[0].low, 0.5f);
    EXPECT_EQ(rules.rules()[1].low, -999.9f);
    EXPECT_EQ(rules.rules()[2].low, 1.25f);
    EXPECT_EQ(rules.rules()[2].high, 2.75f);
    EXPECT_EQ(rules.rules()[3].high, -5.0f);
    EXPECT_TRUE(rules.is_invalid(-999.9f));
    EXPECT_FALSE(rules.is_invalid(0.0f));
    EXPECT_FALSE(rules.is_invalid(1.0f));
    EXPECT_TRUE(rules.is_invalid(2.0f));
    // The user's own decimal mark is no number here, as in any other locale.
    const invalid_value userMark("0,5");
    EXPECT_EQ(userMark.rules().size(), 2u);
    EXPECT_FALSE(userMark.is_invalid(0.5f));
}

} // namespace vardane
