#include "output/swath/amsr2latlon.h"

#include <cmath>
#include <cstdio>

#include "util/number_text.h"
#include "util/trace_stream.h"

namespace vardane {

namespace {

constexpr float kLost = -9999.0f;

struct vec3 {
    double x, y, z;
};

vec3 operator*(const vec3& v, double s) { return {v.x * s, v.y * s, v.z * s}; }
vec3 operator+(const vec3& a, const vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
double dot(const vec3& a, const vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double norm(const vec3& v) { return std::sqrt(dot(v, v)); }
vec3 cross(const vec3& a, const vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

vec3 unit_vector(double lat, double lon, double d)
{
    const double phi = lat * d;
    const double lambda = lon * d;
    return {std::cos(lambda) * std::cos(phi), std::sin(lambda) * std::cos(phi), std::sin(phi)};
}

bool out_of_range(double lat, double lon) { return !(lat >= -90.0 && lat <= 90.0 && lon >= -180.0 && lon <= 180.0); }

} // namespace

void amsr2latlon_(const float_grid& lat89A, const float_grid& lon89A, float a1, float a2, std::int32_t scan,
                  std::int32_t pixel, float& lon, float& lat)
{
    lon = kLost;
    lat = kLost;
    const std::int32_t c1 = 2 * pixel;
    const std::int32_t c2 = c1 + 1;
    // A pair beyond the arrays is as lost as one out of range.
    const bool inArrays = scan >= 0 && pixel >= 0 && scan < lat89A.height && scan < lon89A.height && c2 < lat89A.width
                          && c2 < lon89A.width;
    const double phi1 = inArrays ? lat89A.at(scan, c1) : kLost;
    const double lambda1 = inArrays ? lon89A.at(scan, c1) : kLost;
    const double phi2 = inArrays ? lat89A.at(scan, c2) : kLost;
    const double lambda2 = inArrays ? lon89A.at(scan, c2) : kLost;
    if (out_of_range(phi1, lambda1) || out_of_range(phi2, lambda2)) {
        if (trace_enabled())
            std::printf("amsr2latlon: out of range warning: latlon1(%s,%s)->latlon2(%s,%s) "
                        "(low_pixel_by_1origin=%d,scan_by_1origin=%d)\n",
                        format_fixed(phi1, 6).c_str(), format_fixed(lambda1, 6).c_str(), format_fixed(phi2, 6).c_str(),
                        format_fixed(lambda2, 6).c_str(), pixel + 1, scan + 1);
        return;
    }

    const double d = std::acos(-1.0) / 180.0;
    const vec3 p1 = unit_vector(phi1, lambda1, d);
    const vec3 p2 = unit_vector(phi2, lambda2, d);
    const double theta = std::acos(dot(p1, p2));
    const vec3 n = cross(p1, p2) * (1.0 / (norm(p1) * norm(p2) * std::sin(theta)));
    const vec3 m = cross(n, p1);
    const double alpha = a1 * theta;
    const double beta = a2 * theta;
    const vec3 r = (p1 * std::cos(alpha) + m * std::sin(alpha)) * std::cos(beta) + n * std::sin(beta);
    lon = static_cast<float>(std::atan2(r.y, r.x) / d);
    lat = static_cast<float>(std::atan2(r.z, std::sqrt(r.x * r.x + r.y * r.y)) / d);
}

} // namespace vardane
