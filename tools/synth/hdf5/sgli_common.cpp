#include "sgli_common.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "content_fields.h"
#include "h5_writer.h"
#include "known_value_stamps.h"

namespace vardane {

namespace synth_sgli {

namespace {

constexpr float kRadianceSlope = 0.0125f;
constexpr float kValueSlope = 0.001f;
constexpr double kFlaggedShare = 0.005; // radiance DNs carrying flag bit 14

struct pixel_state {
    bool on_earth;
    double land;
    double weather;
};

// The surface and weather of every pixel of a grid, computed once for all
// the datasets on that grid (the costly part of a large scene or tile). The
// values only compare the land fraction with 0, 0.5 and 1, so its class is
// kept, as a fraction that compares alike, beside the exact weather.
class pixel_states {
public:
    pixel_states(int lines, int pixels, int step, std::uint32_t seed, const position_fn& position)
        : pixels_(pixels), weather_(static_cast<std::size_t>(lines) * pixels), land_(weather_.size())
    {
        for (int l = 0; l < lines; ++l) {
            for (int p = 0; p < pixels; ++p) {
                const auto i = static_cast<std::size_t>(l) * pixels + p;
                const auto pos = position(l * step, p * step);
                if (!pos) {
                    land_[i] = kOffEarth;
                    continue;
                }
                const double land = synth_content::land_fraction(pos->lat, pos->lon);
                land_[i] = land <= 0 ? 0 : land < 0.5 ? 1 : land < 1 ? 2 : 3;
                weather_[i] = synth_content::weather(seed, pos->lat, pos->lon);
            }
        }
    }

    pixel_state at(int l, int p) const
    {
        static constexpr double kLandOfClass[] = {0.0, 0.25, 0.75, 1.0};
        const auto i = static_cast<std::size_t>(l) * pixels_ + p;
        if (land_[i] == kOffEarth) return {false, 0, 0};
        return {true, kLandOfClass[land_[i]], weather_[i]};
    }

private:
    static constexpr std::uint8_t kOffEarth = 255;
    int pixels_;
    std::vector<double> weather_;
    std::vector<std::uint8_t> land_;
};

std::uint16_t value_u16(role what, const pixel_state& s, std::uint32_t seed, std::uint64_t stream, int l, int p)
{
    using synth_known::kFillU16;
    if (!s.on_earth) return kFillU16;
    const bool cloud = s.weather > 0.78;
    const bool land = s.land >= 0.5;
    switch (what) {
    case role::radiance: {
        const double rho = cloud  ? 0.55 + 0.2 * (s.weather - 0.78)
                           : land ? 0.12 + 0.15 * s.weather
                                  : 0.03 + 0.03 * s.weather;
        auto dn = static_cast<std::uint16_t>(std::lround(rho * 16000.0));
        if (synth_content::noise01(seed, stream, l, p) < kFlaggedShare) dn |= 0x4000;
        return dn;
    }
    case role::quality:
        return static_cast<std::uint16_t>((land ? 0x0001 : 0) | (cloud ? 0x0002 : 0)
                                          | (s.land > 0 && s.land < 1 ? 0x0004 : 0));
    case role::ocean_value:
    case role::land_value:
    case role::any_value:
        if ((what == role::ocean_value && land) || (what == role::land_value && !land) || cloud) return kFillU16;
        return static_cast<std::uint16_t>(std::lround(2000.0 + 40000.0 * s.weather));
    case role::cloud: return static_cast<std::uint16_t>(cloud ? 3 : s.weather > 0.6 ? 1 : 0);
    case role::land_water: return static_cast<std::uint16_t>(land ? 1 : 0);
    }
    return kFillU16;
}

std::uint8_t value_u8(role what, const pixel_state& s)
{
    using synth_known::kFillU8;
    if (!s.on_earth) return kFillU8;
    const bool land = s.land >= 0.5;
    switch (what) {
    case role::land_water: return static_cast<std::uint8_t>(s.land <= 0 ? 0 : s.land >= 1 ? 1 : 2);
    case role::cloud:
        return static_cast<std::uint8_t>(std::lround(100.0 * std::clamp((s.weather - 0.5) * 3.0, 0.0, 1.0)));
    case role::land_value:
        if (!land) return kFillU8;
        return static_cast<std::uint8_t>(std::lround(200.0 + 50.0 * s.weather));
    default: return static_cast<std::uint8_t>(std::lround(250.0 * s.weather));
    }
}

void write_attributes(const H5::DataSet& ds, const dataset& d)
{
    if (d.type == sample_type::u8) {
        synth_h5::write_attr_float(ds, "Slope", 1.0f);
        synth_h5::write_attr_float(ds, "Offset", 0.0f);
        return;
    }
    if (d.what == role::radiance) {
        synth_h5::write_attr_float(ds, "Slope", kRadianceSlope);
        synth_h5::write_attr_float(ds, "Offset", 0.0f);
        synth_h5::write_attr_u16(ds, "Mask", synth_known::kSgliMask);
        synth_h5::write_attr_u16(ds, "Minimum_valid_DN", synth_known::kSgliMinValidDN);
        synth_h5::write_attr_u16(ds, "Maximum_valid_DN", synth_known::kSgliMaxValidDN);
        synth_h5::write_attr_u16(ds, "Error_DN", synth_known::kFillU16);
        return;
    }
    if (d.what != role::quality && d.what != role::cloud) {
        synth_h5::write_attr_float(ds, "Slope", kValueSlope);
        synth_h5::write_attr_float(ds, "Offset", 0.0f);
        synth_h5::write_attr_u16(ds, "Error_DN", synth_known::kFillU16);
    }
}

template <typename T, typename F>
std::vector<T> layer(int lines, int pixels, const pixel_states& states, F value)
{
    std::vector<T> out(static_cast<std::size_t>(lines) * pixels);
    for (int l = 0; l < lines; ++l) {
        for (int p = 0; p < pixels; ++p) out[static_cast<std::size_t>(l) * pixels + p] = value(states.at(l, p), l, p);
    }
    return out;
}

} // namespace

std::string product_file_name(const product& p, std::string_view code, int tile_h, int tile_v, bool real)
{
    // 0-6 mission, 7-14 date, then either 15 'D' + 16-18 "01D" + 19-24 "_TVVHH"
    // (tiles: the vertical tile number comes first in the products' names) or
    // 15-18 start time + 19 'D' + 20-24 path and scene (scenes).
    char middle[32];
    if (p.tile) {
        std::snprintf(middle, sizeof middle, "%c01D_T%02d%02d", real ? 'A' : 'D', tile_v, tile_h);
    } else {
        std::snprintf(middle, sizeof middle, "0130D05810");
    }
    const std::string tail = !real ? "Q_3000.h5" : p.tile ? "Q_2000.h5" : "K_2000.h5";
    return "GC1SG1_20190701" + std::string(middle) + "_" + std::string(p.level) + "_" + std::string(code) + tail;
}

void write_global_attributes(const H5::H5File& file, const std::string& name, const product& p,
                             const sgli_layout& layout)
{
    synth_h5::ensure_group(file, "/Global_attributes");
    H5::Group g = file.openGroup("/Global_attributes");
    synth_h5::write_attr_fixed_1d(g, "Product_file_name", name);
    synth_h5::write_attr_fixed_1d(g, "Satellite", "Global Change Observation Mission - Climate (GCOM-C)");
    synth_h5::write_attr_fixed_1d(g, "Sensor", "Second-generation Global Imager (SGLI)");
    if (layout.real) write_real_global_attributes(g, p);
}

void write_image_data(const H5::H5File& file, sgli_product id, int lines, int pixels, const position_fn& position,
                      const marker_fn& marker, std::uint32_t seed, const sgli_layout& layout)
{
    const product& p = product_of(id);
    const bool realCounts = layout.real && p.level == "1BSG";
    const auto table = datasets_of(id);
    // One grid of states per resolution, made when a dataset first needs it.
    std::optional<pixel_states> full;
    std::optional<pixel_states> quarter;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const dataset& d = table[i];
        const int step = d.quarter ? 4 : 1;
        const int nl = d.quarter ? lines / 4 : lines;
        const int np = d.quarter ? pixels / 4 : pixels;
        auto& states = d.quarter ? quarter : full;
        if (!states) states.emplace(nl, np, step, seed, position);
        const auto at = marker(nl, np);
        const auto places = synth_stamps::grid_places(0, 1, static_cast<std::size_t>(np), at.first, at.second);
        const std::vector<hsize_t> dims{static_cast<hsize_t>(nl), static_cast<hsize_t>(np)};
        const int idx = static_cast<int>(i);
        H5::DataSet ds;
        if (d.type == sample_type::u16) {
            auto data = layer<std::uint16_t>(nl, np, *states, [&](const pixel_state& s, int l, int p) {
                return value_u16(d.what, s, seed, i, l, p);
            });
            synth_stamps::stamp(data, places, idx);
            if (d.what == role::radiance) data.at(2) = synth_known::kSgliFlaggedDN;
            if (realCounts && d.what == role::radiance) mark_missing_and_saturated(data);
            ds = synth_h5::write_dataset(file, std::string(d.name), dims, data, layout.form);
        } else {
            auto data = layer<std::uint8_t>(nl, np, *states,
                                            [&](const pixel_state& s, int, int) { return value_u8(d.what, s); });
            synth_stamps::stamp(data, places, idx);
            ds = synth_h5::write_dataset(file, std::string(d.name), dims, data, layout.form);
        }
        if (layout.real) {
            write_real_dataset_attributes(ds, p, d, layout.form);
        } else {
            write_attributes(ds, d);
        }
    }
    if (layout.real) {
        write_image_size(file, lines, pixels, layout.form);
        if (p.level == "1BSG") write_line_times(file, lines, layout.form);
    }
}

} // namespace synth_sgli

} // namespace vardane
