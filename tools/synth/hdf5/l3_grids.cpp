#include "l3_grids.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace vardane {

namespace synth_l3 {

namespace {

constexpr double kSemiMajor = 6378273.0;
constexpr double kSemiMinor = 6356889.449;
constexpr double kTrueScaleLat = 70.0;
constexpr double kDeg = std::numbers::pi / 180.0;

constexpr std::array<l3_grid, 8> kGrids{{
    {"latlon_0.1", 3600, 1800, grid_projection::latlon, 0.1, 0, 0, 0},
    {"latlon_0.25", 1440, 720, grid_projection::latlon, 0.25, 0, 0, 0},
    {"nsidc_north_25km", 304, 448, grid_projection::polar_north, 25000, -3850000, 5850000, -45},
    {"nsidc_north_10km", 760, 1120, grid_projection::polar_north, 10000, -3850000, 5850000, -45},
    {"nsidc_south_25km", 316, 332, grid_projection::polar_south, 25000, -3950000, 4350000, 0},
    {"nsidc_south_10km", 790, 830, grid_projection::polar_south, 10000, -3950000, 4350000, 0},
    {"snow_north_25km", 432, 574, grid_projection::polar_north, 25000, -5390000, 6468000, 90},
    {"snow_north_10km", 1080, 1435, grid_projection::polar_north, 10000, -5390000, 6468000, 90},
}};

double eccentricity()
{
    static const double e = std::sqrt(1.0 - (kSemiMinor * kSemiMinor) / (kSemiMajor * kSemiMajor));
    return e;
}

// Snyder's t for a latitude (radians, northern form).
double t_of(double phi, double e)
{
    const double es = e * std::sin(phi);
    return std::tan(std::numbers::pi / 4 - phi / 2) / std::pow((1 - es) / (1 + es), e / 2);
}

// a * m_c / t_c: the radius scale of the projection.
double rho_scale(double e)
{
    static const double scale = [e] {
        const double phic = kTrueScaleLat * kDeg;
        const double sc = std::sin(phic);
        const double mc = std::cos(phic) / std::sqrt(1 - e * e * sc * sc);
        return kSemiMajor * mc / t_of(phic, e);
    }();
    return scale;
}

} // namespace

std::span<const l3_grid> all_l3_grids() { return kGrids; }

std::optional<l3_grid> find_l3_grid(int width, int height)
{
    for (const auto& g : kGrids) {
        if (g.width == width && g.height == height) return g;
    }
    return std::nullopt;
}

std::optional<l3_grid> find_l3_grid(std::string_view name_or_size)
{
    for (const auto& g : kGrids) {
        if (g.name == name_or_size) return g;
    }
    const auto x = name_or_size.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    int w = 0;
    int h = 0;
    const auto* b = name_or_size.data();
    const auto r1 = std::from_chars(b, b + x, w);
    const auto r2 = std::from_chars(b + x + 1, b + name_or_size.size(), h);
    if (r1.ptr != b + x || r2.ptr != b + name_or_size.size()) return std::nullopt;
    return find_l3_grid(w, h);
}

xy polar_forward(const l3_grid& g, lat_lon p)
{
    const double e = eccentricity();
    const bool south = g.projection == grid_projection::polar_south;
    const double phi = (south ? -p.lat : p.lat) * kDeg;
    const double rho = rho_scale(e) * t_of(phi, e);
    const double dl = (p.lon - g.pole_longitude) * kDeg;
    if (south) return {rho * std::sin(dl), rho * std::cos(dl)};
    return {rho * std::sin(dl), -rho * std::cos(dl)};
}

lat_lon polar_inverse(const l3_grid& g, xy p)
{
    const double e = eccentricity();
    const bool south = g.projection == grid_projection::polar_south;
    const double rho = std::hypot(p.x, p.y);
    const double t = rho / rho_scale(e);
    double phi = std::numbers::pi / 2 - 2 * std::atan(t);
    for (int i = 0; i < 20; ++i) {
        const double es = e * std::sin(phi);
        const double next = std::numbers::pi / 2 - 2 * std::atan(t * std::pow((1 - es) / (1 + es), e / 2));
        const bool converged = std::abs(next - phi) < 1e-13;
        phi = next;
        if (converged) break;
    }
    const double dl = south ? std::atan2(p.x, p.y) : std::atan2(p.x, -p.y);
    double lon = g.pole_longitude + dl / kDeg;
    if (lon > 180) lon -= 360;
    if (lon <= -180) lon += 360;
    const double lat = phi / kDeg;
    return {south ? -lat : lat, lon};
}

lat_lon cell_centre(const l3_grid& g, int row, int column)
{
    if (g.projection == grid_projection::latlon) {
        return {90.0 - (row + 0.5) * g.pixel_size, (column + 0.5) * g.pixel_size};
    }
    return polar_inverse(g,
                         {g.upper_left_x + (column + 0.5) * g.pixel_size, g.upper_left_y - (row + 0.5) * g.pixel_size});
}

std::optional<cell> cell_of(const l3_grid& g, lat_lon p)
{
    double fc = 0;
    double fr = 0;
    if (g.projection == grid_projection::latlon) {
        double lon = std::fmod(p.lon, 360.0);
        if (lon < 0) lon += 360.0;
        fc = lon / g.pixel_size;
        fr = (90.0 - p.lat) / g.pixel_size;
    } else {
        const xy q = polar_forward(g, p);
        fc = (q.x - g.upper_left_x) / g.pixel_size;
        fr = (g.upper_left_y - q.y) / g.pixel_size;
    }
    const int c = static_cast<int>(std::floor(fc));
    const int r = static_cast<int>(std::floor(fr));
    if (r < 0 || c < 0 || r >= g.height || c >= g.width) return std::nullopt;
    return cell{r, c};
}

} // namespace synth_l3

} // namespace vardane
