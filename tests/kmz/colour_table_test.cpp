// Colour tables: reading classes from table text, writing tables for a
// range, and choosing the class of a value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "colour/clt_writer.h"
#include "colour/colour_match.h"
#include "colour/colour_table.h"
#include "util/vdn_exception.h"

namespace vardane {

namespace {

std::vector<float> bounds(const std::string& tableText)
{
    std::vector<float> v;
    for (const color_map& c : parse_colour_table(tableText)) v.push_back(c.upper);
    return v;
}

// Each class as {lower, upper, r, g, b, a}.
std::vector<std::vector<float>> classes_of(const std::string& tableText)
{
    std::vector<std::vector<float>> v;
    for (const color_map& c : parse_colour_table(tableText))
        v.push_back({c.lower, c.upper, float(c.r), float(c.g), float(c.b), float(c.a)});
    return v;
}

} // namespace

// N table lines give N + 1 classes: a zero-width class at each end, and
// between them each class coloured by its upper line.
TEST(ColourTable, LinesAreReadAsClasses)
{
    const struct {
        const char* what;
        const char* text;
        std::vector<std::vector<float>> expected;
    } cases[] = {
        {"comment lines, alpha given or 255",
         "# a comment line without the mark\nVAL = 0\tCOLOR = 10,20,30,128\nVAL = 1\tCOLOR = 10,20,30\n"
         "VAL = 3\tCOLOR = 40,50,60\n",
         {{0, 0, 10, 20, 30, 128}, {0, 1, 10, 20, 30, 255}, {1, 3, 40, 50, 60, 255}, {3, 3, 40, 50, 60, 255}}},
        {"a line without colour keeps its bound for the next",
         "VAL = 0\tCOLOR = 1,1,1\nVAL = 5\nVAL = 8\tCOLOR = 2,2,2\n",
         {{0, 0, 1, 1, 1, 255}, {5, 8, 2, 2, 2, 255}, {8, 8, 2, 2, 2, 255}}},
        {"malformed lines are skipped",
         "VAL = \tCOLOR = 9,9,9\nVAL = 1\tCOLOR 1,2,3\nVAL = 2\tCOLOR = 1,2\nVAL = 3\tCOLOR = x,2,3\n"
         "VAL = 4\tCOLOR = 4,5,6\n",
         {{3, 4, 4, 5, 6, 255}, {4, 4, 4, 5, 6, 255}}},
        {"components clamped, C-locale numbers, CR LF",
         "VAL = 1.5e1\tCOLOR = -3,300,99999999999\r\nVAL = 2,5\tCOLOR = 1,2,3,1000\r\n",
         {{15, 15, 0, 255, 255, 255}, {15, 2, 1, 2, 3, 255}, {2, 2, 1, 2, 3, 255}}},
        {"descending bounds are read as they are",
         "VAL = 9\tCOLOR = 1,1,1\nVAL = 3\tCOLOR = 2,2,2\n",
         {{9, 9, 1, 1, 1, 255}, {9, 3, 2, 2, 2, 255}, {3, 3, 2, 2, 2, 255}}},
        {"no table line at all", "COLOR = 1,2,3\n", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(classes_of(c.text), c.expected) << c.what;
}

TEST(ColourTable, MissingFileThrowsWithItsPath)
{
    try {
        GetColorMap("/nonexistent/x.clt");
        FAIL() << "no exception";
    } catch (const vdn_exception& e) {
        EXPECT_STREQ(e.what(), "cannot open file: /nonexistent/x.clt");
    }
}

TEST(ColourTableWriter, BoundsAndColoursForARange)
{
    struct range_case {
        float m, M;
        const char* type;
        std::vector<float> bounds;
        std::vector<int> reds; // red of the classes after the first
    };
    const std::vector<range_case> cases = {
        {0,
         100,
         "Linear",
         {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100},
         {0, 0, 0, 51, 155, 255, 255, 255, 235, 175, 175}},
        {0,
         100,
         "Log",
         {0, 4.58f, 9.69f, 15.49f, 22.18f, 30.1f, 39.79f, 52.29f, 69.9f, 100, 100},
         {0, 0, 0, 0, 0, 188, 255, 255, 255, 255}},
        // Any other type is logarithmic: bounds and palette alike.
        {0,
         100,
         "linear",
         {0, 4.58f, 9.69f, 15.49f, 22.18f, 30.1f, 39.79f, 52.29f, 69.9f, 100, 100},
         {0, 0, 0, 0, 0, 188, 255, 255, 255, 255}},
        {5, 5, "Linear", {5, 5}, {175}},
        {7, 3, "Linear", {3, 3}, {175}},
    };
    for (const auto& c : cases) {
        const std::string text = clt_text(c.m, c.M, c.type);
        EXPECT_EQ(bounds(text), c.bounds) << c.type << " " << c.m << ".." << c.M << "\n" << text;
        const auto classes = parse_colour_table(text);
        std::vector<int> reds;
        for (std::size_t i = 1; i < classes.size(); ++i) reds.push_back(classes[i].r);
        EXPECT_EQ(reds, c.reds) << c.type << "\n" << text;
    }
    EXPECT_EQ(clt_text(0, 100, "Log").substr(0, 35), "VAL = 0\tCOLOR = 0,0,255\nVAL = 4.58\t");
    EXPECT_EQ(clt_text(5, 5, "Linear"), "VAL = 5\tCOLOR = 175,30,0\n");
}

TEST(ColourMatch, BoundsFirstClassCatchAllAndNan)
{
    const color_map blue{0, 10, 0, 0, 255, 255};
    const color_map green{10, 20, 0, 255, 0, 255};
    const std::vector<color_map> two{blue, green};
    EXPECT_EQ(match_colour(two, 10.0f, true), &two[1]);
    EXPECT_EQ(match_colour(two, 10.0f, false), &two[0]);
    EXPECT_EQ(match_colour(two, 20.0f, true), nullptr);
    EXPECT_EQ(match_colour(two, std::numeric_limits<float>::quiet_NaN(), false), nullptr);

    // -1 .. -1 first: takes everything below -1 (and -1 itself without the
    // flag); the closing 20 .. 20 takes everything the others left.
    const std::vector<color_map> table{{-1, -1, 1, 0, 0, 255}, blue, green, {20, 20, 2, 0, 0, 255}};
    EXPECT_EQ(match_colour(table, -500.0f, true), &table[0]);
    EXPECT_EQ(match_colour(table, -1.0f, true)->r, 2);
    EXPECT_EQ(match_colour(table, -1.0f, false), &table[0]);
    EXPECT_EQ(match_colour(table, -0.5f, true)->r, 2); // between -1 and 0: only the catch-all
    EXPECT_EQ(match_colour(table, 1e9f, true), &table[3]);

    // A NaN bound takes nothing: only the closing class remains, below 4.
    const auto nan = parse_colour_table("VAL = nan\tCOLOR = 1,2,3\nVAL = 4\tCOLOR = 4,5,6\n");
    ASSERT_EQ(nan.size(), 3u);
    EXPECT_EQ(match_colour(nan, 5.0f, true), nullptr);
}

} // namespace vardane
