#include "radiometer_swath.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "content_fields.h"
#include "geophysical_values.h"
#include "h5_writer.h"
#include "known_value_stamps.h"
#include "radiometer_attributes.h"
#include "radiometer_geolocation.h"
#include "radiometer_real_layout.h"
#include "synth_variants.h"

namespace vardane {

namespace synth_radiometer {

namespace {

// Share of samples that carry the fill value (besides lost geolocation).
constexpr double kFillShare = 0.003;

bool valid_position(float lat, float lon) { return lat >= -90.0f && lat <= 90.0f && lon >= -180.0f && lon <= 180.0f; }

// One swath variable of `layers` layers, stored [scan][sample][layer], with
// fill, origin, tag and marker in place. `value_at` (lat, lon, layer) gives the
// stored sample or nothing for fill; parameter index of layer k is
// param_base + k * param_step.
template <typename T, typename F>
std::vector<T> swath_variable(const geolocation& g, int layers, int param_base, int param_step, std::uint32_t seed,
                              std::uint64_t stream, F value_at)
{
    std::vector<T> out(static_cast<std::size_t>(g.scans) * g.samples * layers);
    for (int s = 0; s < g.scans; ++s) {
        for (int p = 0; p < g.samples; ++p) {
            const auto pt = g.at(s, p);
            const bool lost = !valid_position(static_cast<float>(pt.lat), static_cast<float>(pt.lon))
                              || synth_content::noise01(seed, stream, s, p) < kFillShare;
            for (int k = 0; k < layers; ++k) {
                const auto i = (static_cast<std::size_t>(s) * g.samples + p) * layers + k;
                std::optional<T> v;
                if (!lost) v = value_at(pt.lat, pt.lon, k);
                out[i] = v ? *v : synth_stamps::known<T>::fill;
            }
        }
    }
    for (int k = 0; k < layers; ++k) {
        const auto at = synth_stamps::grid_places(
            static_cast<std::size_t>(k), static_cast<std::size_t>(layers), static_cast<std::size_t>(g.samples),
            static_cast<std::size_t>(g.scans / 2), static_cast<std::size_t>(g.samples / 2));
        synth_stamps::stamp(out, at, param_base + k * param_step);
    }
    return out;
}

std::vector<hsize_t> dims_of(const geolocation& g, int layers)
{
    std::vector<hsize_t> d{static_cast<hsize_t>(g.scans), static_cast<hsize_t>(g.samples)};
    if (layers > 0) d.push_back(static_cast<hsize_t>(layers));
    return d;
}

// The file the swath's variables go to, and how: the storage form, and
// whether "UNIT" stands beside every "SCALE FACTOR" (real products).
struct swath_file {
    const H5::H5File& file;
    synth_h5::storage form;
    bool units;
};

template <typename T>
void write_variable(const swath_file& out, const std::string& name, const geolocation& g, int layers,
                    const std::vector<T>& data, float scale, std::string_view unit)
{
    auto ds = synth_h5::write_dataset(out.file, name, dims_of(g, layers), data, out.form);
    synth_h5::write_attr_float(ds, "SCALE FACTOR", scale, out.form);
    if (out.units) write_unit(ds, unit);
}

void write_geolocation(const swath_file& out, std::string_view lat_name, std::string_view lon_name,
                       const geolocation& g)
{
    write_variable(out, std::string(lat_name), g, 0, g.lat, synth_known::kScaleGeolocation, "deg");
    write_variable(out, std::string(lon_name), g, 0, g.lon, synth_known::kScaleGeolocation, "deg");
}

void write_89_geolocation(const swath_file& out, const swath_geolocation& geo)
{
    write_variable(out, std::string(kLat89A), geo.a, 0, geo.a.lat, synth_known::kScaleGeolocation, "deg");
    write_variable(out, std::string(kLat89B), geo.b, 0, geo.b.lat, synth_known::kScaleGeolocation, "deg");
    write_variable(out, std::string(kLon89A), geo.a, 0, geo.a.lon, synth_known::kScaleGeolocation, "deg");
    write_variable(out, std::string(kLon89B), geo.b, 0, geo.b.lon, synth_known::kScaleGeolocation, "deg");
}

const geolocation& band_geolocation(const swath_geolocation& geo, const band& b)
{
    if (!b.full_width) return geo.low;
    return b.horn_b ? geo.b : geo.a;
}

double brightness(const band& b, double lat, double lon, std::uint32_t seed, std::uint64_t stream)
{
    const double noise = synth_content::noise01(seed, stream, static_cast<std::uint64_t>((lat + 90) * 1e4),
                                                static_cast<std::uint64_t>((lon + 180) * 1e4))
                         - 0.5;
    return synth_content::brightness_temperature(b.channel, b.vertical, lat, lon, seed) + noise;
}

// Brightness temperature bands (L1B, L1R) or observation counts (L1A).
void write_bands(const swath_file& out, const swath_geolocation& geo, std::span<const band> bands, bool counts,
                 std::uint32_t seed)
{
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const band& b = bands[i];
        const geolocation& g = band_geolocation(geo, b);
        const int idx = static_cast<int>(i);
        if (counts) {
            const auto data = swath_variable<std::int16_t>(g, 1, idx, 1, seed, i, [&](double lat, double lon, int) {
                return std::optional<std::int16_t>(
                    static_cast<std::int16_t>(std::lround(500.0 + 50.0 * brightness(b, lat, lon, seed, i))));
            });
            write_variable(out, "Observation Count (" + b.label + ")", g, 0, data, synth_known::kScaleCount, "");
        } else {
            const auto data = swath_variable<std::uint16_t>(g, 1, idx, 1, seed, i, [&](double lat, double lon, int) {
                return std::optional<std::uint16_t>(static_cast<std::uint16_t>(
                    std::lround(brightness(b, lat, lon, seed, i) / synth_known::kScaleBrightness)));
            });
            write_variable(out, "Brightness Temperature (" + b.label + ")", g, 0, data, synth_known::kScaleBrightness,
                           "K");
        }
    }
}

void write_geophysical(const swath_file& out, const std::string& name, const geolocation& g, const geophysical& gp,
                       int layers, int param_base, int param_step, std::uint32_t seed)
{
    const auto data = swath_variable<std::int16_t>(
        g, layers, param_base, param_step, seed, 100 + param_base, [&](double lat, double lon, int k) {
            const auto v = geophysical_value(gp, lat, lon, seed, k);
            return v ? std::optional<std::int16_t>(geophysical_count(gp, *v)) : std::nullopt;
        });
    write_variable(out, name, g, layers, data, gp.scale, geophysical_unit(gp));
}

// Layers of a geophysical variable: real L2 low SST files since late 2020
// hold a third layer besides SST and SST 10 GHz.
int default_layers(const geophysical& gp, swath_level level, const synth_options& o)
{
    const bool realSst = o.layout == synth_layout::real && level == swath_level::l2_low && gp.code == "SST";
    return realSst ? 3 : gp.default_layers;
}

const geophysical& chosen_geophysical(const synth_options& o, std::string_view fallback)
{
    const std::string name = o.variant("geo", std::string(fallback));
    const geophysical* g = find_geophysical(name);
    if (!g) throw std::invalid_argument("unknown geophysical name '" + name + "'");
    return *g;
}

struct level_names {
    std::string_view product_suffix; // after the sensor prefix in "ProductName"
    std::string_view granule_tag;
};

level_names names_of(swath_level level)
{
    switch (level) {
    case swath_level::l1a: return {"-L1A", "L1A"};
    case swath_level::l1b: return {"-L1B", "L1B"};
    case swath_level::l1r: return {"-L1R", "L1R"};
    case swath_level::l2_high: return {"-L2", "L2H"};
    case swath_level::l2_low: return {"-L2", "L2L"};
    }
    return {"", ""};
}

} // namespace

void write_radiometer_swath(const std::string& outfile, const synth_options& options, const sensor& s,
                            swath_level level)
{
    const swath_shape shape{synth_variants::integer(options, "scans", options.full ? 2040 : 120, 2, 8000), s.samples89,
                            synth_variants::integer(options, "first_scan", -1, 0, 2039)};
    const auto layout = synth_variants::string_layout(options, synth_h5::string_layout::vlen_1d);
    const bool l2 = level == swath_level::l2_high || level == swath_level::l2_low;
    const geophysical* gp = nullptr;
    int layers = 1;
    if (l2) {
        gp = &chosen_geophysical(options, level == swath_level::l2_high ? "PRC" : "TPW");
        layers = synth_variants::integer(options, "layers", default_layers(*gp, level, options), 1, 16);
    }
    const swath_geolocation geo = make_swath_geolocation(shape);

    H5::H5File file = synth_h5::create_file(outfile);
    const auto names = names_of(level);
    root_attributes attrs;
    attrs.product_name = std::string(s.product_prefix) + std::string(names.product_suffix);
    attrs.granule = granule_id(s, std::string(names.granule_tag));
    attrs.geophysical_name = gp ? std::string(gp->name) : std::string();
    attrs.co_registration = level == swath_level::l1a || level == swath_level::l1b || level == swath_level::l1r;
    attrs.co_registration_form = synth_variants::coregistration(options);
    const bool real = options.layout == synth_layout::real;
    if (real) {
        write_real_root_attributes(file, s, attrs, shape.scans, layout);
    } else {
        write_root_attributes(file, s, attrs, layout);
    }

    const swath_file out{file, storage_of(options, l2), real};
    switch (level) {
    case swath_level::l1a:
        write_bands(out, geo, l1_bands(), true, options.seed);
        write_89_geolocation(out, geo);
        break;
    case swath_level::l1b:
        write_bands(out, geo, l1_bands(), false, options.seed);
        write_89_geolocation(out, geo);
        if (real) write_l1b_housekeeping(file, shape.scans, shape.samples89, out.form);
        break;
    case swath_level::l1r:
        write_bands(out, geo, l1r_bands(), false, options.seed);
        write_89_geolocation(out, geo);
        break;
    case swath_level::l2_high:
        write_geophysical(out, "Geophysical Data for 89A", geo.a, *gp, layers, 0, 2, options.seed);
        write_geophysical(out, "Geophysical Data for 89B", geo.b, *gp, layers, 1, 2, options.seed);
        write_89_geolocation(out, geo);
        break;
    case swath_level::l2_low:
        write_geophysical(out, "Geophysical Data", geo.low, *gp, layers, 0, 1, options.seed);
        write_geolocation(out, kLatLow, kLonLow, geo.low);
        if (real) write_l2_pixel_quality(file, shape.scans, shape.samples_low(), out.form);
        break;
    }
    // L1B and L2 low both hold them: every real swath does.
    if (real) write_scan_datasets(file, shape.scans, out.form);
}

} // namespace synth_radiometer

} // namespace vardane
