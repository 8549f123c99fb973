#include "colour/colorbar_image.h"

#include <fstream>
#include <vector>

#include "colour/cairo_handles.h"
#include "colour/legend_layout.h"
#include "colour/palette.h"
#include "colour/replaced_file.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// Labels: a bold sans-serif face of 8 points, at 96 pixels per inch.
constexpr const char* kLabelFace = "DejaVu Sans";
constexpr double kLabelSize = 8.0 * 96.0 / 72.0;
constexpr std::size_t kLabelChars = 5;

} // namespace

std::vector<std::string> legend_labels(const std::filesystem::path& table)
{
    std::vector<std::string> labels;
    std::ifstream in(table);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) break;
        const auto parts = split(split(line, '\t')[0], '=');
        if (parts.size() < 2) continue;
        std::string bound = parts[1];
        trim(bound);
        labels.push_back(bound.substr(0, kLabelChars));
    }
    return labels;
}

namespace {

void draw_labels(const cairo_calls& cairo, cairo_surface_t* surface, const std::vector<std::string>& labels,
                 bool linear)
{
    const cairo_context_ptr cr = owned(cairo, cairo.create(surface));
    cairo.select_font_face(cr.get(), kLabelFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo.set_font_size(cr.get(), kLabelSize);
    cairo.set_source_rgb(cr.get(), 1.0, 1.0, 1.0);
    cairo_font_extents_t font{};
    cairo.font_extents(cr.get(), &font);
    // A label's position is the top of its text; cairo draws from the
    // baseline.
    for (std::size_t i = 0; i < labels.size(); ++i) {
        cairo.move_to(cr.get(), legend_layout::kLabelX, legend_layout::label_top(linear, i) + font.ascent);
        cairo.show_text(cr.get(), labels[i].c_str());
    }
    cairo.surface_flush(surface);
}

} // namespace

std::string create_colorbar_img(const clt_folders& folders, const std::string& type, const std::string& name)
{
    std::string problem;
    const cairo_calls* cairo = cairo_library(problem);
    if (!cairo) return problem;
    const bool linear = is_linear_type(type);
    const std::filesystem::path background = folders.backgrounds / (linear ? kLinearBackground : kLogBackground);
    const cairo_surface_ptr picture = owned(*cairo, cairo->image_surface_create_from_png(background.c_str()));
    if (!usable(picture)) return "cannot open file: " + background.string();

    draw_labels(*cairo, picture.get(), legend_labels(folders.tables / (name + ".clt")), linear);

    const std::filesystem::path legend = folders.tables / (name + ".png");
    replaced_file file(legend);
    if (cairo->surface_write_to_png(picture.get(), file.path().c_str()) != CAIRO_STATUS_SUCCESS || !file.commit()) {
        return "cannot write file: " + legend.string();
    }
    return {};
}

} // namespace vardane
