#include "colour/colorbar_background.h"

#include "colour/cairo_handles.h"
#include "colour/legend_layout.h"
#include "colour/palette.h"

namespace vardane {

namespace {

// The middle of a label's text, below the top where it is placed.
constexpr double kLabelMiddle = 6.0;

constexpr double kStripLeft = 3.0;
constexpr double kStripWidth = 10.0;
constexpr double kPanelAlpha = 0.65;

// Middle of label i, the first (the table's minimum) lowest.
double label_middle(bool linear, int i) { return legend_layout::label_top(linear, std::size_t(i)) + kLabelMiddle; }

void fill_rect(const cairo_calls& cairo, cairo_t* cr, const rgba& c, double x, double y, double w, double h)
{
    cairo.set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    cairo.rectangle(cr, x, y, w, h);
    cairo.fill(cr);
}

} // namespace

bool draw_colorbar_background(const std::filesystem::path& png, const std::string& type)
{
    std::string problem;
    const cairo_calls* cairo = cairo_library(problem);
    if (!cairo) return false;
    const bool linear = is_linear_type(type);
    const palette p = create_rgb_map(type);
    const int labels = linear ? legend_layout::kLinearLabels : legend_layout::kLogLabels;

    const cairo_surface_ptr surface =
        owned(*cairo, cairo->image_surface_create(CAIRO_FORMAT_ARGB32, kLegendWidth, kLegendHeight));
    if (!usable(surface)) return false;
    {
        const cairo_context_ptr cr = owned(*cairo, cairo->create(surface.get()));
        cairo->set_source_rgba(cr.get(), 0.0, 0.0, 0.0, kPanelAlpha);
        cairo->paint(cr.get());
        // Class k (1 .. labels - 1) lies between bounds k - 1 and k and has
        // colour k; colour 0 (the same as colour 1) runs below the lowest
        // bound, as the table gives it to values under its minimum.
        for (int k = 0; k < labels; ++k) {
            const auto colour = parse_colour_field(p[std::size_t(k)]);
            if (!colour) return false;
            const double bottom = k == 0 ? kLegendHeight : label_middle(linear, k - 1);
            const double top = k == 0 ? label_middle(linear, 0) : label_middle(linear, k);
            fill_rect(*cairo, cr.get(), *colour, kStripLeft, top, kStripWidth, bottom - top);
        }
    }
    cairo->surface_flush(surface.get());
    return cairo->surface_write_to_png(surface.get(), png.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace vardane
