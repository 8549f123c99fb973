#pragma once
// Writers of the SGLI daily 10-degree tile products (LTOA, RSRF, LST, CLFG) on
// the sinusoidal tile geometry: pixel (L, P) of an R x C tile (h, v) lies at
// latitude 90 - ((L + 0.5) / R + v) * 10 and longitude
// (((P + 0.5) / C + h) * 10 - 180) / cos(latitude); pixels beyond +-180 degrees
// longitude are off the Earth and hold fill.
//
// Variants: size=LINESxPIXELS (default 120x120, --full 1200x1200, --layout real
// --full 4800x4800 as the "Q" tiles are), tile=HHVV
// (default 2905: h 29, v 5, which holds the marker position).

#include <string>

#include "sgli_names.h"
#include "synth_registry.h"

namespace vardane {

namespace synth_sgli {

void write_sgli_tile(const std::string& outfile, const synth_options& options, sgli_product id);

} // namespace synth_sgli

} // namespace vardane
