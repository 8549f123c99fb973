#pragma once

#include <cstdint>

namespace vardane {

// Conversion of stored JASMES counts to physical values. Missing samples
// become kJasmesMissing.
inline constexpr float kJasmesMissing = -10000.0f;

// Raw water-surface-temperature bytes: 1..255 map onto 0..1, 0 is missing.
float jasmes_wst_value(std::uint8_t v);

// Scaled byte: 255 is missing.
float jasmes_byte_value(std::uint8_t v, double scale, double offset);

// Scaled 16-bit count: 65534 and above are missing. With powerOfTen the
// scaled value is an exponent of ten (chlorophyll-a).
float jasmes_word_value(std::uint16_t v, double scale, double offset, bool powerOfTen);

// One colour channel of the aerosol composites: scale * v * 100 as an
// unsigned integer, low 8 bits; 0 for missing counts.
std::uint8_t jasmes_aerosol_channel(std::uint16_t v, double scale);

// Float plane of the aerosol file: scale * v, no offset.
float jasmes_aerosol_value(std::uint16_t v, double scale);

inline constexpr std::uint16_t kJasmesWordFill = 65534;

} // namespace vardane
