#include "radiometer_geolocation.h"

#include "synth_known_values.h"

namespace vardane {

namespace synth_radiometer {

namespace {

// Half an orbit of 1.5-second scans: 2040 scans at the real rate; fewer scans
// spread over the same time, so small files still reach both turns.
constexpr double kScanSeconds = 1.5;
constexpr double kSpanSeconds = 2039 * kScanSeconds;
// The B horn looks a little further out than the A horn.
constexpr double kHornBExtraKm = 9.0;

geolocation sample_geolocation(const swath_shape& shape, int samples, double sample_step, double sample_offset,
                               double extra_km)
{
    const synth_orbit::orbit orbit;
    const synth_orbit::conical_scan scan;
    geolocation g;
    g.scans = shape.scans;
    g.samples = samples;
    g.lat.resize(static_cast<std::size_t>(shape.scans) * samples);
    g.lon.resize(g.lat.size());
    const bool piece = shape.first_scan >= 0;
    const double dt = piece ? kScanSeconds : shape.scans > 1 ? kSpanSeconds / (shape.scans - 1) : 0.0;
    const double t0 = piece ? shape.first_scan * kScanSeconds : 0.0;
    for (int s = 0; s < shape.scans; ++s) {
        for (int p = 0; p < samples; ++p) {
            const double f = synth_orbit::scan_fraction(p * sample_step + sample_offset, shape.samples89);
            const auto pt = synth_orbit::footprint(orbit, scan, t0 + s * dt, f, extra_km);
            const auto i = static_cast<std::size_t>(s) * samples + p;
            g.lat[i] = static_cast<float>(pt.lat);
            g.lon[i] = static_cast<float>(pt.lon);
        }
    }
    return g;
}

void lose_points(geolocation& g, int fill_sample, int over_sample)
{
    using namespace synth_known;
    if (g.scans <= kBadGeoScan) return;
    const auto row = static_cast<std::size_t>(kBadGeoScan) * g.samples;
    if (fill_sample < g.samples) {
        g.lat[row + fill_sample] = kFillGeolocation;
        g.lon[row + fill_sample] = kFillGeolocation;
    }
    if (over_sample >= 0 && over_sample < g.samples) g.lat[row + over_sample] = kOverLatitude;
}

} // namespace

swath_geolocation make_swath_geolocation(const swath_shape& shape)
{
    using namespace synth_known;
    swath_geolocation out;
    out.a = sample_geolocation(shape, shape.samples89, 1.0, 0.0, 0.0);
    out.b = sample_geolocation(shape, shape.samples89, 1.0, 0.0, kHornBExtraKm);
    out.low = sample_geolocation(shape, shape.samples_low(), 2.0, 0.5, 0.0);
    lose_points(out.a, kBadGeoSampleFill, kBadGeoSampleOver);
    lose_points(out.b, kBadGeoSampleFill, kBadGeoSampleOver);
    lose_points(out.low, kBadGeoSampleFill / 2, -1);
    return out;
}

} // namespace synth_radiometer

} // namespace vardane
