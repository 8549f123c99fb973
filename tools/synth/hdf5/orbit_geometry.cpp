#include "orbit_geometry.h"

#include <cmath>
#include <numbers>

namespace vardane {

namespace synth_orbit {

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kEarthRadiusKm = 6371.0;
// Earth rotation against the (sun-synchronously precessing) orbit plane.
constexpr double kRelativeRotationDegPerS = 360.0 / 86164.1 - 0.9856 / 86400.0;

double wrap180(double lon)
{
    lon = std::fmod(lon + 180.0, 360.0);
    if (lon < 0) lon += 360.0;
    return lon - 180.0;
}

} // namespace

geo_point destination(geo_point from, double bearing_deg, double dist_km)
{
    const double d = dist_km / kEarthRadiusKm;
    const double p1 = from.lat * kDeg;
    const double l1 = from.lon * kDeg;
    const double b = bearing_deg * kDeg;
    const double p2 = std::asin(std::sin(p1) * std::cos(d) + std::cos(p1) * std::sin(d) * std::cos(b));
    const double l2 =
        l1 + std::atan2(std::sin(b) * std::sin(d) * std::cos(p1), std::cos(d) - std::sin(p1) * std::sin(p2));
    return {p2 / kDeg, wrap180(l2 / kDeg)};
}

double bearing(geo_point a, geo_point b)
{
    const double p1 = a.lat * kDeg;
    const double p2 = b.lat * kDeg;
    const double dl = (b.lon - a.lon) * kDeg;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    return std::atan2(y, x) / kDeg;
}

geo_point nadir(const orbit& o, double t)
{
    const double u = (o.start_arg_lat_deg + 360.0 * t / o.period_s) * kDeg;
    const double i = o.inclination_deg * kDeg;
    const double lat = std::asin(std::sin(u) * std::sin(i));
    const double lon_in_plane = std::atan2(std::cos(i) * std::sin(u), std::cos(u));
    return {lat / kDeg, wrap180(o.node_lon_deg + lon_in_plane / kDeg - kRelativeRotationDegPerS * t)};
}

geo_point footprint(const orbit& o, const conical_scan& s, double t, double f, double extra_km)
{
    const geo_point here = nadir(o, t);
    const geo_point ahead = nadir(o, t + 1.0);
    const double heading = bearing(here, ahead);
    return destination(here, heading + f * s.half_azimuth_deg, s.distance_km + extra_km);
}

double scan_fraction(double p, int n) { return -1.0 + 2.0 * (p + 0.5) / n; }

} // namespace synth_orbit

} // namespace vardane
