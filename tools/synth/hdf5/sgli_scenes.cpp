#include "sgli_scenes.h"

#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "h5_writer.h"
#include "orbit_geometry.h"
#include "sgli_common.h"
#include "synth_variants.h"
#include "util/number_text.h"

namespace vardane {

namespace synth_sgli {

namespace {

constexpr double kSceneLengthKm = 1000.0;
constexpr double kSceneWidthKm = 1150.0;
constexpr double kHeadingDeg = 192.0; // descending, a little west of south
constexpr int kTieStep = 10;

struct scene {
    synth_orbit::geo_point centre;
    int lines;
    int pixels;

    synth_orbit::geo_point at(double line, double pixel) const
    {
        const double along = (line + 0.5 - lines / 2.0) * kSceneLengthKm / lines;
        const double across = (pixel + 0.5 - pixels / 2.0) * kSceneWidthKm / pixels;
        const auto on_track = synth_orbit::destination(centre, kHeadingDeg, along);
        return synth_orbit::destination(on_track, kHeadingDeg + 90.0, across);
    }
};

synth_orbit::geo_point parse_centre(const synth_options& o)
{
    const std::string text = o.variant("center", "35,139");
    const auto comma = text.find(',');
    try {
        if (comma == std::string::npos) throw std::invalid_argument("");
        const auto readLat = leading_double(std::string_view(text).substr(0, comma));
        const auto readLon = leading_double(std::string_view(text).substr(comma + 1));
        if (!readLat || !readLon) throw std::invalid_argument("");
        const double lat = *readLat;
        const double lon = *readLon;
        if (lat < -80 || lat > 80 || lon < -180 || lon > 180) throw std::invalid_argument("");
        return {lat, lon};
    } catch (const std::exception&) {
        throw std::invalid_argument("bad value '" + text + "' for center (expected LAT,LON within +-80,+-180)");
    }
}

void write_geometry(const H5::H5File& file, const product& p, const scene& sc, const sgli_layout& layout)
{
    const bool full = p.full_geolocation;
    const int step = full ? 1 : kTieStep;
    const int rows = full ? sc.lines : (sc.lines + kTieStep - 1) / kTieStep + 1;
    const int cols = full ? sc.pixels : (sc.pixels + kTieStep - 1) / kTieStep + 1;
    std::vector<float> lat(static_cast<std::size_t>(rows) * cols);
    std::vector<float> lon(lat.size());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const auto p = sc.at(r * step, c * step);
            lat[static_cast<std::size_t>(r) * cols + c] = static_cast<float>(p.lat);
            lon[static_cast<std::size_t>(r) * cols + c] = static_cast<float>(p.lon);
        }
    }
    const std::vector<hsize_t> dims{static_cast<hsize_t>(rows), static_cast<hsize_t>(cols)};
    const std::pair<const char*, const std::vector<float>*> arrays[] = {{"/Geometry_data/Latitude", &lat},
                                                                        {"/Geometry_data/Longitude", &lon}};
    for (const auto& [name, values] : arrays) {
        auto ds = synth_h5::write_dataset(file, name, dims, *values, layout.form);
        if (layout.real) {
            write_geolocation_attributes(ds, step, layout.form);
            continue;
        }
        synth_h5::write_attr_u16(ds, "Resampling_interval", static_cast<std::uint16_t>(step));
        synth_h5::write_attr_string(ds, "Unit", "degree", synth_h5::string_layout::fixed_scalar);
    }
    if (layout.real) write_angles(file, p, rows, cols, step, layout.form);
}

} // namespace

void write_sgli_scene(const std::string& outfile, const synth_options& options, sgli_product id)
{
    const product& p = product_of(id);
    const sgli_layout layout = layout_of(options, p);
    const auto size = synth_variants::integer_pair(
        options, "size", options.full ? full_size(p, layout) : synth_variants::pair{p.default_lines, p.default_pixels},
        20000);
    if (size.a < 8 || size.b < 8) throw std::invalid_argument("size needs at least 8x8 pixels");
    std::string code(p.code);
    if (id == sgli_product::sst) {
        code = options.variant("sst", "SSTD");
        if (code != "SSTD" && code != "SSTN") throw std::invalid_argument("sst must be SSTD or SSTN");
    }
    const scene sc{parse_centre(options), size.a, size.b};

    H5::H5File file = synth_h5::create_file(outfile);
    write_global_attributes(file, product_file_name(p, code, 0, 0, layout.real), p, layout);
    write_image_data(
        file, id, sc.lines, sc.pixels,
        [&](int l, int px) { return std::optional<synth_orbit::geo_point>(sc.at(l, px)); },
        [](int lines, int pixels) {
            return synth_known::stored_index{static_cast<std::size_t>(lines / 2), static_cast<std::size_t>(pixels / 2)};
        },
        options.seed, layout);
    write_geometry(file, p, sc, layout);
}

} // namespace synth_sgli

} // namespace vardane
