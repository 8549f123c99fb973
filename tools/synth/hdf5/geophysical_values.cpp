#include "geophysical_values.h"

#include <algorithm>
#include <cmath>

#include "content_fields.h"

namespace vardane {

namespace synth_radiometer {

namespace {

bool on_surface(surface where, double land)
{
    switch (where) {
    case surface::ocean: return land < 0.5;
    case surface::land: return land >= 0.5;
    case surface::any: return true;
    }
    return true;
}

// Shape of each variable in 0..1 before scaling into its range.
double pattern(std::string_view code, double lat, double lon, std::uint32_t seed)
{
    using namespace synth_content;
    const double w = weather(seed, lat, lon);
    if (code == "SST") return std::clamp((surface_temperature(lat, lon) - 271.0) / 34.0 + 0.06 * (w - 0.5), 0.0, 1.0);
    if (code == "SIC") return std::clamp((std::abs(lat) - 58.0) / 15.0, 0.0, 1.0) * (0.8 + 0.2 * w);
    if (code == "SND") return std::clamp((std::abs(lat) - 40.0) / 35.0, 0.0, 1.0) * (0.6 + 0.4 * w);
    if (code == "PRC") return precipitation(seed, lat, lon) / 50.0;
    if (code == "TPW") return std::clamp(0.15 + 0.75 * std::cos(lat * 0.0349) * (0.6 + 0.4 * w), 0.0, 1.0);
    return w;
}

} // namespace

std::optional<double> geophysical_value(const geophysical& g, double lat, double lon, std::uint32_t seed, int layer)
{
    if (!on_surface(g.where, synth_content::land_fraction(lat, lon))) return std::nullopt;
    const double f = std::clamp(pattern(g.code, lat, lon, seed) * (1.0 - 0.05 * layer), 0.0, 1.0);
    return g.min + f * (g.max - g.min);
}

std::int16_t geophysical_count(const geophysical& g, double value)
{
    const double c = std::round(value / g.scale);
    return static_cast<std::int16_t>(std::clamp(c, -32767.0, 32767.0));
}

} // namespace synth_radiometer

} // namespace vardane
