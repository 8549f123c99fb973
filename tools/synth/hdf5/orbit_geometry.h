#pragma once
// Geometry of a sun-synchronous polar orbit and of a conically scanning
// radiometer on it, and of the along-track scenes of an optical imager.

#include <cstdint>

namespace vardane {

namespace synth_orbit {

struct geo_point {
    double lat;
    double lon; // -180 .. 180
};

// Point reached from `from` along a great circle with initial bearing
// `bearing_deg` (clockwise from north) after `dist_km` on the sphere.
geo_point destination(geo_point from, double bearing_deg, double dist_km);

// Bearing from a to b, degrees clockwise from north.
double bearing(geo_point a, geo_point b);

struct orbit {
    double inclination_deg = 98.2;
    double period_s = 5932.0;          // about 98.9 minutes
    double node_lon_deg = -179.0;      // longitude of the ascending node at t = 0
    double start_arg_lat_deg = -92.85; // argument of latitude at t = 0 (near the south turn)
};

// Sub-satellite point at time t (seconds), in Earth-fixed coordinates.
geo_point nadir(const orbit& o, double t);

// Conical scan: footprints lie at a fixed distance ahead of nadir; the scan
// sweeps the azimuth +-half_azimuth about the ground track, which gives a swath
// of 2 * distance * sin(half_azimuth) (about 1450 km).
struct conical_scan {
    double distance_km = 780.0;
    double half_azimuth_deg = 68.4;
};

// Footprint at time t, at fraction f of the scan (-1 left edge .. 1 right edge),
// `extra_km` further out along the look direction (a second feed horn).
geo_point footprint(const orbit& o, const conical_scan& s, double t, double f, double extra_km = 0.0);

// Fraction across the scan of sample p (may be fractional) of n samples.
double scan_fraction(double p, int n);

} // namespace synth_orbit

} // namespace vardane
