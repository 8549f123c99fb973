#pragma once
// Writers of the SGLI scene products (L1B VNR, POL, IRS; L2 NWLR, IWPR, SST):
// a scene along a descending sun-synchronous track, latitude/longitude as tie
// points every 10 pixels (POL: every pixel).
//
// Variants: size=LINESxPIXELS (default 100x120, IRS 200x240; --full 1000x1150,
// IRS 4000x4600; --layout real --full: VNR 1955x1250), center=LAT,LON (default
// 35,139), sst=SSTD|SSTN (SST). --layout real: see sgli_real_layout.h.

#include <string>

#include "sgli_names.h"
#include "synth_registry.h"

namespace vardane {

namespace synth_sgli {

void write_sgli_scene(const std::string& outfile, const synth_options& options, sgli_product id);

} // namespace synth_sgli

} // namespace vardane
