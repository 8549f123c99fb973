#include "reader/jasmes/jasmes_convert.h"

#include <cmath>

namespace vardane {

float jasmes_wst_value(std::uint8_t v)
{
    if (v == 0) return kJasmesMissing;
    return static_cast<float>((v - 1) / 254.0);
}

float jasmes_byte_value(std::uint8_t v, double scale, double offset)
{
    if (v == 255) return kJasmesMissing;
    return static_cast<float>(scale * v + offset);
}

float jasmes_word_value(std::uint16_t v, double scale, double offset, bool powerOfTen)
{
    if (v >= kJasmesWordFill) return kJasmesMissing;
    const double s = scale * v + offset;
    return static_cast<float>(powerOfTen ? std::pow(10.0, s) : s);
}

std::uint8_t jasmes_aerosol_channel(std::uint16_t v, double scale)
{
    if (v >= kJasmesWordFill) return 0;
    const double x = std::floor(scale * v * 100.0);
    // Negative, NaN or huge products come only from hostile scale factors;
    // they are defined here instead of overflowing the integer conversion.
    if (!(x >= 0.0)) return 0;
    if (x >= 4294967296.0) return static_cast<std::uint8_t>(std::fmod(x, 256.0));
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(x) & 0xffu);
}

float jasmes_aerosol_value(std::uint16_t v, double scale)
{
    if (v >= kJasmesWordFill) return kJasmesMissing;
    return static_cast<float>(scale * v);
}

} // namespace vardane
