#include "output/swath/amsr2latlon.h"

#include <cmath>
#include <cstdio>

#include "util/number_text.h"
#include "util/trace_stream.h"

namespace vardane {

namespace {

using vec3 = std::array<double, 3>;

vec3 operator*(const vec3& v, double s) { return {v[0] * s, v[1] * s, v[2] * s}; }
vec3 operator+(const vec3& a, const vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
double dot(const vec3& a, const vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double norm(const vec3& v) { return std::sqrt(dot(v, v)); }
vec3 cross(const vec3& a, const vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

const double kDegree = std::acos(-1.0) / 180.0;

vec3 unit_vector(double lat, double lon)
{
    const double phi = lat * kDegree;
    const double lambda = lon * kDegree;
    return {std::cos(lambda) * std::cos(phi), std::sin(lambda) * std::cos(phi), std::sin(phi)};
}

bool out_of_range(double lat, double lon) { return !(lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon <= 180.0); }

// The footprint's pair of A positions: latitude and longitude of each, -9999
// for a pair beyond the arrays.
struct position_pair {
    double phi1, lambda1, phi2, lambda2;
};

position_pair pair_of(const float_grid& lat89A, const float_grid& lon89A, std::int32_t scan, std::int32_t pixel)
{
    const std::int32_t c1 = 2 * pixel;
    const std::int32_t c2 = c1 + 1;
    // A pair beyond the arrays is as lost as one out of range.
    const bool inArrays = scan >= 0 && pixel >= 0 && scan < lat89A.height && scan < lon89A.height && c2 < lat89A.width
                          && c2 < lon89A.width;
    if (!inArrays) return {kLostFootprint, kLostFootprint, kLostFootprint, kLostFootprint};
    return {lat89A.at(scan, c1), lon89A.at(scan, c1), lat89A.at(scan, c2), lon89A.at(scan, c2)};
}

void warn_out_of_range(const position_pair& p, std::int32_t scan, std::int32_t pixel)
{
    if (!trace_enabled()) return;
    std::printf("amsr2latlon: out of range warning: latlon1(%s,%s)->latlon2(%s,%s) "
                "(low_pixel_by_1origin=%d,scan_by_1origin=%d)\n",
                format_fixed(p.phi1, 6).c_str(), format_fixed(p.lambda1, 6).c_str(), format_fixed(p.phi2, 6).c_str(),
                format_fixed(p.lambda2, 6).c_str(), pixel + 1, scan + 1);
}

} // namespace

coregistration_frame coregistration_frame_of(const float_grid& lat89A, const float_grid& lon89A, std::int32_t scan,
                                             std::int32_t pixel)
{
    coregistration_frame frame;
    const position_pair p = pair_of(lat89A, lon89A, scan, pixel);
    if (out_of_range(p.phi1, p.lambda1) || out_of_range(p.phi2, p.lambda2)) return frame;
    frame.p1 = unit_vector(p.phi1, p.lambda1);
    const vec3 p2 = unit_vector(p.phi2, p.lambda2);
    const double theta = std::acos(dot(frame.p1, p2));
    frame.n = cross(frame.p1, p2) * (1.0 / (norm(frame.p1) * norm(p2) * std::sin(theta)));
    frame.theta = theta;
    frame.lost = false;
    return frame;
}

void coregistered_point(const coregistration_frame& frame, float a1, float a2, float& lon, float& lat)
{
    if (frame.lost) {
        lon = kLostFootprint;
        lat = kLostFootprint;
        return;
    }
    // A quarter turn along the circle from p1.
    const vec3 m = cross(frame.n, frame.p1);
    const double alpha = a1 * frame.theta;
    const double beta = a2 * frame.theta;
    const vec3 r = (frame.p1 * std::cos(alpha) + m * std::sin(alpha)) * std::cos(beta) + frame.n * std::sin(beta);
    lon = static_cast<float>(std::atan2(r[1], r[0]) / kDegree);
    lat = static_cast<float>(std::atan2(r[2], std::sqrt(r[0] * r[0] + r[1] * r[1])) / kDegree);
}

void warn_lost_footprint(const float_grid& lat89A, const float_grid& lon89A, std::int32_t scan, std::int32_t pixel)
{
    warn_out_of_range(pair_of(lat89A, lon89A, scan, pixel), scan, pixel);
}

void amsr2latlon_(const float_grid& lat89A, const float_grid& lon89A, float a1, float a2, std::int32_t scan,
                  std::int32_t pixel, float& lon, float& lat)
{
    const coregistration_frame frame = coregistration_frame_of(lat89A, lon89A, scan, pixel);
    if (frame.lost) warn_lost_footprint(lat89A, lon89A, scan, pixel);
    coregistered_point(frame, a1, a2, lon, lat);
}

} // namespace vardane
