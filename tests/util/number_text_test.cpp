// Number texts must not depend on the locale: the C library's own
// conversions in the "C" locale are the reference, and a locale with a
// decimal comma must change nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "support/comma_locale.h"
#include "util/number_text.h"
#include "util/string_utils.h"

namespace vardane {

using test_support::comma_locale;

namespace {

const double kInf = std::numeric_limits<double>::infinity();

const std::vector<double> kValues = {0.0,       -0.0,      0.5,   1000.0,           1e6,    123456789.0, 1.5e-7,
                                     -89.99996, 35.123456, 0.1,   3.14159265358979, -1e300, 65534.0,     0.99780f,
                                     -999.9f,   kInf,      -kInf, std::nan("")};

std::string c_printf(const char* format, int precision, double v)
{
    std::vector<char> text(512);
    std::snprintf(text.data(), text.size(), format, precision, v);
    return text.data();
}

// Every value in every precision the program uses, as printf writes it.
std::vector<std::string> printed(bool byPrintf)
{
    std::vector<std::string> texts;
    for (const double v : kValues) {
        for (const int digits : {1, 6, 7, 15, 17}) {
            texts.push_back(byPrintf ? c_printf("%.*g", digits, v) : format_general(v, digits));
        }
        for (const int decimals : {0, 1, 2, 4, 6}) {
            texts.push_back(byPrintf ? c_printf("%.*f", decimals, v) : format_fixed(v, decimals));
        }
    }
    return texts;
}

// clang-format off
const char* const kTexts[] = {"0.99780", " \t1.25 and more", "+2", "-0.25", ".5",   "5.",       "1e3",
                              "1e",      "1e+",              "-1E-2x", "inf",  "-Infinity", "nan", "1,5",
                              "0.5,-999.9", "abc",           "",       "   ", "+-1",  "-+1",      "--1",
                              "+",       "-",                ".",      "e5",   "3.4e38", "1e-320"};
// clang-format on

struct reading {
    std::optional<double> value;
    std::size_t used = 0;
};

reading by_strtod(const char* text)
{
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text) return {};
    return {v, static_cast<std::size_t>(end - text)};
}

reading by_helper(const char* text)
{
    reading r;
    r.value = leading_double(text, &r.used);
    return r;
}

void expect_same(const reading& expected, const reading& got, const char* text)
{
    ASSERT_EQ(got.value.has_value(), expected.value.has_value()) << '"' << text << '"';
    if (!expected.value) return;
    if (std::isnan(*expected.value)) {
        EXPECT_TRUE(std::isnan(*got.value)) << '"' << text << '"';
    } else {
        EXPECT_EQ(*got.value, *expected.value) << '"' << text << '"';
    }
    EXPECT_EQ(got.used, expected.used) << '"' << text << '"';
}

} // namespace

TEST(NumberText, WritesWhatPrintfWritesInTheCLocaleUnderEveryLocale)
{
    const std::vector<std::string> reference = printed(true);
    EXPECT_EQ(printed(false), reference);
    EXPECT_EQ(format_general(0.5, 6), "0.5");
    EXPECT_EQ(format_fixed(-139.00006, 4), "-139.0001");

    const comma_locale locale;
    ASSERT_TRUE(locale.active()) << comma_locale::missing();
    // The locale is in force: printf itself now writes a comma.
    ASSERT_EQ(c_printf("%.*f", 1, 0.5), "0,5");
    EXPECT_EQ(printed(false), reference);
}

TEST(NumberText, ReadsWhatStrtodReadsInTheCLocaleUnderEveryLocale)
{
    std::vector<reading> reference;
    for (const char* text : kTexts) reference.push_back(by_strtod(text));
    for (std::size_t i = 0; i < std::size(kTexts); ++i) expect_same(reference[i], by_helper(kTexts[i]), kTexts[i]);

    const comma_locale locale;
    ASSERT_TRUE(locale.active()) << comma_locale::missing();
    // The locale is in force: strtod now stops at the '.'.
    ASSERT_EQ(std::strtod("0.99780", nullptr), 0.0);
    for (std::size_t i = 0; i < std::size(kTexts); ++i) expect_same(reference[i], by_helper(kTexts[i]), kTexts[i]);
}

TEST(NumberText, BeyondTheRangeIsNoNumberAndWholeTextsAllowOnlyWhiteSpaceAround)
{
    EXPECT_FALSE(leading_double("1e400"));
    EXPECT_FALSE(leading_float("3.5e38"));
    EXPECT_EQ(leading_float("3.4e38"), 3.4e38f);
    // A float is rounded once, from the text: not through a double.
    EXPECT_EQ(leading_float("0.99780"), 0.99780f);

    const comma_locale locale;
    ASSERT_TRUE(locale.active()) << comma_locale::missing();
    EXPECT_EQ(whole_float(" \t-999.9 \n"), -999.9f);
    EXPECT_EQ(whole_float("0.5"), 0.5f);
    EXPECT_FALSE(whole_float("0,5"));
    EXPECT_FALSE(whole_float("0.5x"));
    EXPECT_FALSE(whole_float(""));
    EXPECT_FALSE(whole_float(" "));
    EXPECT_FALSE(whole_float("1e39"));
}

// The 89 GHz co-registration factors of a radiometer swath, as its file
// attributes write them.
TEST(ParseCor, CoRegistrationFactorsUnderACommaLocale)
{
    const comma_locale locale;
    ASSERT_TRUE(locale.active()) << comma_locale::missing();
    const auto m = parse_cor("6G-0.99780,7G-1.25,10G--0.00125,18G- 2.5e-1,23G-x");
    ASSERT_EQ(m.size(), 5u);
    EXPECT_EQ(m.at("6G"), static_cast<float>(0.99780));
    EXPECT_EQ(m.at("7G"), 1.25f);
    EXPECT_EQ(m.at("10G"), -0.00125f);
    EXPECT_EQ(m.at("18G"), 0.25f);
    EXPECT_EQ(m.at("23G"), 0.0f);
}

} // namespace vardane
