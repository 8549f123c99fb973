#pragma once
// Physical values of the radiometer geophysical variables at a position.

#include <cstdint>
#include <optional>

#include "radiometer_names.h"

namespace vardane {

namespace synth_radiometer {

// Value of layer `layer` of `g` at a position in physical units, or nothing
// where the variable has no value (wrong surface, outside its regime).
std::optional<double> geophysical_value(const geophysical& g, double lat, double lon, std::uint32_t seed, int layer);

// The value as a stored 16-bit count (value / scale, rounded).
std::int16_t geophysical_count(const geophysical& g, double value);

} // namespace synth_radiometer

} // namespace vardane
