#include "radiometer_l3.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "content_fields.h"
#include "geophysical_values.h"
#include "h5_writer.h"
#include "known_value_stamps.h"
#include "l3_grids.h"
#include "radiometer_attributes.h"
#include "radiometer_real_layout.h"
#include "synth_variants.h"

namespace vardane {

namespace synth_radiometer {

namespace {

using synth_l3::l3_grid;

// A grid of any size for the rejection tests: latitude/longitude layout.
l3_grid chosen_grid(const synth_options& o)
{
    const std::string name = o.variant("grid", o.full ? "latlon_0.1" : "latlon_0.25");
    if (auto g = synth_l3::find_l3_grid(name)) return *g;
    const auto size = synth_variants::integer_pair(o, "grid", {0, 0}, 20000);
    if (size.b < 2 || name.find('x') == std::string::npos) {
        throw std::invalid_argument("unknown grid '" + name + "'");
    }
    return {"custom", size.a, size.b, synth_l3::grid_projection::latlon, 180.0 / size.b, 0, 0, 0};
}

// Days of coverage leave diamond-shaped gaps between swaths at low latitudes.
bool orbit_gap(double lat, double lon)
{
    return std::abs(lat) < 50.0 && std::fmod(std::abs(lon + 0.35 * lat) + 360.0, 24.7) < 2.5;
}

template <typename T, typename F>
std::vector<T> grid_variable(const l3_grid& g, int layers, int param_base, F value_at)
{
    std::vector<T> out(static_cast<std::size_t>(g.width) * g.height * layers);
    for (int r = 0; r < g.height; ++r) {
        for (int c = 0; c < g.width; ++c) {
            const auto p = synth_l3::cell_centre(g, r, c);
            for (int k = 0; k < layers; ++k) {
                const std::optional<T> v = value_at(p.lat, p.lon, k);
                out[(static_cast<std::size_t>(r) * g.width + c) * layers + k] = v ? *v : synth_stamps::known<T>::fill;
            }
        }
    }
    const auto marker = synth_known::l3_marker_cell(g.width, g.height);
    for (int k = 0; k < layers; ++k) {
        const auto at = synth_stamps::grid_places(static_cast<std::size_t>(k), static_cast<std::size_t>(layers),
                                                  static_cast<std::size_t>(g.width),
                                                  marker ? std::optional<std::size_t>(marker->first) : std::nullopt,
                                                  marker ? std::optional<std::size_t>(marker->second) : std::nullopt);
        synth_stamps::stamp(out, at, param_base + k);
    }
    return out;
}

// The file the grid goes to and how (see radiometer_real_layout.h).
struct grid_file {
    const H5::H5File& file;
    synth_h5::storage form;
    bool units;
};

void write_scaled(const grid_file& out, const H5::DataSet& ds, float scale, std::string_view unit)
{
    synth_h5::write_attr_float(ds, "SCALE FACTOR", scale, out.form);
    if (out.units) write_unit(ds, unit);
}

void write_brightness(const grid_file& out, const l3_grid& g, int channel, std::uint32_t seed)
{
    const std::vector<hsize_t> dims{static_cast<hsize_t>(g.height), static_cast<hsize_t>(g.width)};
    for (const bool vertical : {false, true}) {
        const auto data = grid_variable<std::uint16_t>(g, 1, vertical ? 1 : 0, [&](double lat, double lon, int) {
            if (orbit_gap(lat, lon)) return std::optional<std::uint16_t>();
            const double bt = synth_content::brightness_temperature(channel, vertical, lat, lon, seed);
            return std::optional<std::uint16_t>(
                static_cast<std::uint16_t>(std::lround(bt / synth_known::kScaleBrightness)));
        });
        auto ds = synth_h5::write_dataset(
            out.file, vertical ? "Brightness Temperature (V)" : "Brightness Temperature (H)", dims, data, out.form);
        write_scaled(out, ds, synth_known::kScaleBrightness, "K");
    }
}

void write_geophysical_grid(const grid_file& out, const l3_grid& g, const geophysical& gp, int layers,
                            std::uint32_t seed)
{
    const std::vector<hsize_t> dims{static_cast<hsize_t>(g.height), static_cast<hsize_t>(g.width),
                                    static_cast<hsize_t>(layers)};
    const auto data = grid_variable<std::int16_t>(g, layers, 0, [&](double lat, double lon, int k) {
        const auto v = geophysical_value(gp, lat, lon, seed, k);
        return v ? std::optional<std::int16_t>(geophysical_count(gp, *v)) : std::nullopt;
    });
    auto ds = synth_h5::write_dataset(out.file, "Geophysical Data", dims, data, out.form);
    write_scaled(out, ds, gp.scale, geophysical_unit(gp));
}

} // namespace

void write_radiometer_l3(const std::string& outfile, const synth_options& options, const sensor& s, l3_content content)
{
    const l3_grid grid = chosen_grid(options);
    const auto layout = synth_variants::string_layout(options, synth_h5::string_layout::vlen_1d);
    const geophysical* gp = nullptr;
    int layers = 1;
    int channel = 3;
    if (content == l3_content::geophysical) {
        const std::string name = options.variant("geo", "SST");
        gp = find_geophysical(name);
        if (!gp) throw std::invalid_argument("unknown geophysical name '" + name + "'");
        layers = synth_variants::integer(options, "layers", gp->default_layers, 1, 16);
    } else {
        channel = synth_variants::integer(options, "channel", 3, 0, 6);
    }

    H5::H5File file = synth_h5::create_file(outfile);
    root_attributes attrs;
    attrs.product_name = std::string(s.product_prefix) + "-L3";
    attrs.granule = granule_id(s, content == l3_content::brightness ? "L3BT" : "L3GD");
    attrs.geophysical_name = gp ? std::string(gp->name) : std::string();
    const bool real = options.layout == synth_layout::real;
    if (real) {
        write_real_root_attributes(file, s, attrs, 0, layout);
    } else {
        write_root_attributes(file, s, attrs, layout);
    }
    // The grids follow the storage of the geophysical swaths they are made from.
    const grid_file out{file, storage_of(options, true), real};
    if (content == l3_content::brightness) {
        write_brightness(out, grid, channel, options.seed);
    } else {
        write_geophysical_grid(out, grid, *gp, layers, options.seed);
    }
    if (real) write_l3_time_information(file, grid.height, grid.width, out.form);
}

} // namespace synth_radiometer

} // namespace vardane
