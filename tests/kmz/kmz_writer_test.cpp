// The KMZ writer on rasters loaded into spout directly: archive entries,
// KML lines, the coloured image and the temporaries.
#include <gtest/gtest.h>

#include <fstream>

#include "colour/colour_table.h"
#include "kmz/kmz_read_back.h"
#include "output/kmz/kml_document.h"
#include "output/spout.h"
#include "support/scratch_folder.h"

namespace vardane {

using namespace kmz_test;
namespace fs = std::filesystem;

namespace {

// Counts times 0.01: 2.5 lies exactly on the bound between the half-blue
// and the green class; unscaled, 250 would be red.
const std::vector<color_map> kColours = parse_colour_table("VAL = 0\tCOLOR = 0,0,255\n"
                                                           "VAL = 2.5\tCOLOR = 0,0,255,128\n"
                                                           "VAL = 5\tCOLOR = 0,255,0\n"
                                                           "VAL = 1000\tCOLOR = 255,0,0\n");

// 3 rows of 4 counts; 9500 (95.0) is marked invalid below.
const std::vector<std::uint16_t> kCounts = {250, 100, 9500, 400, 0, 250, 600, 100000 % 65536, 1, 2, 3, 4};

class KmzWriter : public ::testing::Test {
protected:
    void load(const earthPoint_t (&corners)[4])
    {
        dataAttr_t attr;
        attr.width = 4;
        attr.height = 3;
        attr.bands = 1;
        productInfo_t info;
        for (int i = 0; i < 4; ++i) info.corner[i] = corners[i];
        info.scale = 0.01;
        ASSERT_TRUE(out.init_short(kCounts.data(), attr, info));
    }

    // The archive's entries; the folder holds nothing but the archive.
    std::map<std::string, std::string> entries(const std::string& kmz)
    {
        std::vector<std::string> left;
        for (const auto& e : fs::directory_iterator(work.path())) left.push_back(e.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>{fs::path(kmz).filename().string()});
        const auto z = unzip(kmz);
        EXPECT_TRUE(z.has_value());
        return z.value_or(std::map<std::string, std::string>{});
    }

    test_support::scratch_folder work{"vardane-kmz-work"};
    test_support::scratch_folder data{"vardane-kmz-data"};
    spout out;
};

constexpr earthPoint_t kGlobe[4] = {{90, -180}, {90, 180}, {-90, -180}, {-90, 180}};

} // namespace

TEST_F(KmzWriter, QuadFormWithLegend)
{
    load(kGlobe);
    std::ofstream(data / "t.png") << "picture";
    const std::string kmz = work.file("B_V.kmz");
    ASSERT_TRUE(out.gen_KmzImage(kmz, true, kColours, "t.png", data.file("t.png"), "90_", true));

    const auto z = entries(kmz);
    ASSERT_EQ(z.size(), 3u);
    EXPECT_EQ(z.at("t.png"), "picture");
    EXPECT_EQ(crlf_lines(z.at("B_V.kml")),
              expected_kml("B_V", "t.png", {"90.000000", "-90.000000", "180.000000", "-180.000000"},
                           "\t\t-180.00,-90.00,0.0  180.00,-90.00,0.0  180.00,90.00,0.0  -180.00,90.00,0.0"));

    const auto img = read_image(kmz, "B_V.tiff");
    ASSERT_TRUE(img.has_value());
    ASSERT_EQ(img->width, 4);
    ASSERT_EQ(img->height, 3);
    ASSERT_EQ(img->bands, 4);
    const std::vector<int> green{0, 255, 0, 255}, halfBlue{0, 0, 255, 128}, red{255, 0, 0, 255}, clear{0, 0, 0, 0};
    EXPECT_EQ(img->pixel(0, 0), green);    // 2.5 on the bound, upper bound exclusive
    EXPECT_EQ(img->pixel(1, 0), halfBlue); // 1.0
    EXPECT_EQ(img->pixel(2, 0), clear);    // 95.0: invalid
    EXPECT_EQ(img->pixel(2, 1), red);      // 6.0
    EXPECT_EQ(img->pixel(3, 1), clear);    // 344.64: invalid too
    EXPECT_EQ(img->pixel(0, 1), halfBlue); // 0.0: first class of width
}

TEST_F(KmzWriter, FailuresLeaveNothingBehind)
{
    const std::string kmz = work.file("B_V.kmz");
    EXPECT_FALSE(out.gen_KmzImage(kmz, false, kColours, "", "", "", true)); // nothing loaded
    EXPECT_EQ(out.last_failure().cause, "no raster is loaded");
    load(kGlobe);
    // A folder squats the name of the colour image, which then cannot be
    // made after the KML text was: the text goes again, the folder stays.
    fs::create_directories(work.file("B_V.tiff") + "/inside");
    EXPECT_FALSE(out.gen_KmzImage(kmz, false, kColours, "", "", "", true));
    EXPECT_EQ(out.last_failure().file, kmz);
    EXPECT_FALSE(out.last_failure().cause.empty());
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(work.path())) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"B_V.tiff"});
}

TEST(KmlDocument, SouthUpQuadStartsWithTheUpperEdge)
{
    const earthPoint_t southUp[4] = {{10, 120}, {10, 100}, {30, 120}, {30, 100}};
    const auto lines = kml_lines("b", southUp, true, std::nullopt);
    EXPECT_EQ(lines[10], "\t\t100.00,10.00,0.0  120.00,10.00,0.0  120.00,30.00,0.0  100.00,30.00,0.0");
}

} // namespace vardane
