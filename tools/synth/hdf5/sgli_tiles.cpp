#include "sgli_tiles.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "h5_writer.h"
#include "sgli_common.h"
#include "synth_variants.h"

namespace vardane {

namespace synth_sgli {

namespace {

struct tile {
    int h;
    int v;
    int lines;
    int pixels;

    std::optional<synth_orbit::geo_point> at(int l, int p) const
    {
        const double lat = 90.0 - ((l + 0.5) / lines + v) * 10.0;
        const double x = ((p + 0.5) / pixels + h) * 10.0 - 180.0;
        const double c = std::cos(lat * std::numbers::pi / 180.0);
        if (c <= 0.0) return std::nullopt;
        const double lon = x / c;
        if (lon < -180.0 || lon > 180.0) return std::nullopt;
        return synth_orbit::geo_point{lat, lon};
    }
};

tile parse_tile(const synth_options& o, int lines, int pixels)
{
    const int hv = synth_variants::integer(o, "tile", 2905, 0, 3517);
    const int h = hv / 100;
    const int v = hv % 100;
    if (h > 35 || v > 17) throw std::invalid_argument("tile must be HHVV with HH <= 35 and VV <= 17");
    return {h, v, lines, pixels};
}

} // namespace

void write_sgli_tile(const std::string& outfile, const synth_options& options, sgli_product id)
{
    const product& p = product_of(id);
    const sgli_layout layout = layout_of(options, p);
    const auto size = synth_variants::integer_pair(
        options, "size", options.full ? full_size(p, layout) : synth_variants::pair{p.default_lines, p.default_pixels},
        20000);
    if (size.a < 8 || size.b < 8) throw std::invalid_argument("size needs at least 8x8 pixels");
    const tile t = parse_tile(options, size.a, size.b);

    H5::H5File file = synth_h5::create_file(outfile);
    write_global_attributes(file, product_file_name(p, p.code, t.h, t.v, layout.real), p, layout);
    write_image_data(
        file, id, t.lines, t.pixels, [&](int l, int px) { return t.at(l, px); },
        [&](int lines, int pixels) {
            return synth_known::tile_marker_cell(t.h, t.v, lines, pixels)
                .value_or(synth_known::stored_index{static_cast<std::size_t>(lines / 2),
                                                    static_cast<std::size_t>(pixels / 2)});
        },
        options.seed, layout);
}

} // namespace synth_sgli

} // namespace vardane
