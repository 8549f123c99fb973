// Legend pictures: labels written where they belong on the drawn
// backgrounds, read back from the PNG with cairo.
#include <cairo.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "colour/clt_writer.h"
#include "colour/colorbar_background.h"
#include "colour/colorbar_image.h"
#include "colour/legend_layout.h"
#include "support/scratch_folder.h"

namespace vardane {

namespace {

struct picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // ARGB, premultiplied
};

picture load_png(const std::filesystem::path& path)
{
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> s(
        cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
    picture p;
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return p;
    p.width = cairo_image_surface_get_width(s.get());
    p.height = cairo_image_surface_get_height(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    const unsigned char* data = cairo_image_surface_get_data(s.get());
    for (int y = 0; y < p.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        p.pixels.insert(p.pixels.end(), row, row + p.width);
    }
    return p;
}

// Nearly white pixels right of the colour strip in rows y0 .. y1 - 1.
int white_pixels(const picture& p, int y0, int y1)
{
    int n = 0;
    for (int y = std::max(0, y0); y < std::min(p.height, y1); ++y) {
        for (int x = int(legend_layout::kLabelX); x < p.width; ++x) {
            const std::uint32_t v = p.pixels[std::size_t(y) * p.width + x];
            if (((v >> 16) & 0xff) > 200 && ((v >> 8) & 0xff) > 200 && (v & 0xff) > 200) ++n;
        }
    }
    return n;
}

class LegendPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(draw_colorbar_background(folders.backgrounds / kLinearBackground, "Linear"));
        ASSERT_TRUE(draw_colorbar_background(folders.backgrounds / kLogBackground, "Log"));
    }
    test_support::scratch_folder scratch{"vardane-legend"};
    clt_folders folders{scratch.path(), scratch.path()};
};

} // namespace

TEST_F(LegendPicture, LabelsSitInTheirRowsBottomUp)
{
    for (const char* type : {"Linear", "Log"}) {
        const bool linear = std::string(type) == "Linear";
        const clt_written w = create_clt(folders, 0, 100, 0, type, std::string("t_") + type);
        ASSERT_TRUE(w.table);
        ASSERT_EQ(w.legendProblem, "");
        const picture p = load_png(scratch / (std::string("t_") + type + ".png"));
        ASSERT_EQ(p.width, kLegendWidth);
        ASSERT_EQ(p.height, kLegendHeight);
        const std::size_t labels = linear ? 11 : 10;
        for (std::size_t i = 0; i < labels; ++i) {
            const int top = int(legend_layout::label_top(linear, i));
            EXPECT_GT(white_pixels(p, top, top + 12), 5) << type << " label " << i << " at " << top;
        }
        const picture background = load_png(scratch / (linear ? kLinearBackground : kLogBackground));
        EXPECT_EQ(white_pixels(background, 0, kLegendHeight), 0) << type;
    }
}

TEST_F(LegendPicture, LabelsAreCutNotRounded)
{
    std::ofstream(scratch / "cut.clt") << "VAL = -1234.5\tCOLOR = 0,0,255\nVAL = 123.456\tCOLOR = 0,0,255\n"
                                          "VAL = 0.0458\tCOLOR = 0,0,255\n\nVAL = 7\tCOLOR = 1,1,1\n";
    EXPECT_EQ(legend_labels(scratch / "cut.clt"), (std::vector<std::string>{"-1234", "123.4", "0.045"}));
}

TEST_F(LegendPicture, MissingBackgroundKeepsTheTableAndSaysWhy)
{
    const clt_folders elsewhere{scratch.path(), scratch / "none"};
    const clt_written w = create_clt(elsewhere, 0, 10, 0, "Linear", "lonely");
    EXPECT_TRUE(w.table);
    EXPECT_EQ(w.legendProblem, "cannot open file: " + (scratch / "none" / kLinearBackground).string());
    EXPECT_TRUE(std::filesystem::exists(scratch / "lonely.clt"));
    EXPECT_FALSE(std::filesystem::exists(scratch / "lonely.png"));
}

} // namespace vardane
