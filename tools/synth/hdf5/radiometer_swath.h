#pragma once
// Writers of the radiometer swath products (L1A, L1B, L1R, L2 high and low
// resolution) of AMSR2 and AMSR-E.
//
// Variants: scans=N (default 120, --full 2040), first_scan=K (the real scans
// K .. K + N - 1 of the half orbit instead of N scans spread over all of it),
// geo=CODE|NAME (L2; default PRC for high, TPW for low resolution), layers=N
// (L2; --layout real: 3 for the low-resolution SST), strings=vlen|fixed,
// coreg=utf8|utf8-fixed|number (L1: how the co-registration attributes are
// stored). --layout real: see radiometer_real_layout.h.

#include <string>

#include "radiometer_names.h"
#include "synth_registry.h"

namespace vardane {

namespace synth_radiometer {

enum class swath_level { l1a, l1b, l1r, l2_high, l2_low };

void write_radiometer_swath(const std::string& outfile, const synth_options& options, const sensor& s,
                            swath_level level);

} // namespace synth_radiometer

} // namespace vardane
