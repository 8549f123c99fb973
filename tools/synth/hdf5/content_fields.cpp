#include "content_fields.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vardane {

namespace synth_content {

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

std::uint64_t splitmix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

double noise01(std::uint32_t seed, std::uint64_t a, std::uint64_t b, std::uint64_t c)
{
    const std::uint64_t h = splitmix(splitmix(splitmix(seed ^ (a * 0x100000001B3ULL)) ^ b) ^ c);
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

double land_fraction(double lat, double lon)
{
    const double p = lat * kDeg;
    const double l = lon * kDeg;
    const double f = std::sin(3 * p + 0.5) * std::cos(2 * l) + 0.6 * std::sin(5 * l + 2 * p)
                     + 0.3 * std::cos(7 * p) * std::sin(3 * l + 1.0);
    return std::clamp((f - 0.45) * 4.0, 0.0, 1.0);
}

double surface_temperature(double lat, double lon)
{
    const double s = lat / 90.0;
    return 302.0 - 50.0 * s * s + 3.0 * std::sin(2 * lon * kDeg);
}

double weather(std::uint32_t seed, double lat, double lon)
{
    const double ph = (seed % 997) * 0.37;
    const double p = lat * kDeg;
    const double l = lon * kDeg;
    const double w = std::sin(4 * l + 3 * p + ph) * std::cos(6 * p - ph) + 0.5 * std::sin(9 * l - 5 * p + 2 * ph);
    return std::clamp(0.5 + w / 3.0, 0.0, 1.0);
}

double brightness_temperature(int channel, bool vertical, double lat, double lon, std::uint32_t seed)
{
    const double land = land_fraction(lat, lon);
    const double ts = surface_temperature(lat, lon);
    const double ice = std::abs(lat) > 65 ? std::min(1.0, (std::abs(lat) - 65) / 10) : 0.0;
    // Ocean emissivity is low and polarised; it rises with frequency and water vapour.
    const double ocean = (vertical ? 0.52 : 0.30) + 0.035 * channel + 0.08 * weather(seed, lat, lon);
    const double surface = (1 - ice) * ocean + ice * (vertical ? 0.90 : 0.82);
    const double emis = land * (vertical ? 0.95 : 0.90) + (1 - land) * surface;
    return std::clamp(emis * ts, 60.0, 330.0);
}

double precipitation(std::uint32_t seed, double lat, double lon)
{
    const double w = weather(seed, lat, lon);
    const double tropics = std::exp(-(lat * lat) / (2 * 25.0 * 25.0));
    const double r = (w - 0.62) * 60.0 * (0.4 + tropics);
    return r > 0 ? r : 0.0;
}

} // namespace synth_content

} // namespace vardane
