#pragma once
// Latitude/longitude arrays of a radiometer swath: the 89 GHz A and B horns and
// the low-resolution footprints (between two neighbouring A samples).

#include <vector>

#include "orbit_geometry.h"

namespace vardane {

namespace synth_radiometer {

struct swath_shape {
    int scans;
    int samples89;
    // Negative: the scans are spread over the whole half orbit. Otherwise
    // the file holds the real 1.5-second scans first_scan, first_scan + 1,
    // ... of the half orbit (a piece of a granule, away from the turns).
    int first_scan = -1;
    int samples_low() const { return samples89 / 2; }
};

struct geolocation {
    int scans = 0;
    int samples = 0;
    std::vector<float> lat; // scans x samples
    std::vector<float> lon;
    synth_orbit::geo_point at(int scan, int sample) const
    {
        const auto i = static_cast<std::size_t>(scan) * samples + sample;
        return {lat[i], lon[i]};
    }
};

struct swath_geolocation {
    geolocation a;   // 89 GHz A horn
    geolocation b;   // 89 GHz B horn
    geolocation low; // low-resolution footprints
};

// Builds the three arrays over half an orbit (south turn to north turn), or
// the piece of it the shape asks for, with
// the lost and out-of-range points of synth_known_values.h in A, B and low.
swath_geolocation make_swath_geolocation(const swath_shape& shape);

} // namespace synth_radiometer

} // namespace vardane
