#pragma once
// Smooth synthetic geophysical fields with land/sea-like structure, and a
// portable seeded noise (the same bytes for a seed on every platform).

#include <cstdint>

namespace vardane {

namespace synth_content {

// Uniform value in [0, 1) from a seed and up to three coordinates.
double noise01(std::uint32_t seed, std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0);

// Land fraction 0..1 at a position; independent of the seed so that products of
// different seeds share their coastlines.
double land_fraction(double lat, double lon);

// Surface temperature in K, warm at the equator, cold at the poles.
double surface_temperature(double lat, double lon);

// Smooth pattern in [0, 1] whose phase depends on the seed (weather-like).
double weather(std::uint32_t seed, double lat, double lon);

// Brightness temperature in K of radiometer channel `channel` (0 6.9 GHz ... 5
// 36.5 GHz, 6 89 GHz) in polarisation V (vertical) or H.
double brightness_temperature(int channel, bool vertical, double lat, double lon, std::uint32_t seed);

// Precipitation rate in mm/h (mostly 0, rain bands).
double precipitation(std::uint32_t seed, double lat, double lon);

} // namespace synth_content

} // namespace vardane
