#pragma once
// Writers of the GPM products: GSMaP hourly and monthly precipitation grids and
// DPR (version 6 and 7 layouts) daily and monthly grids. The grids are stored
// transposed, longitude first and latitude from south to north.
//
// Variants: size=NLONxNLAT (GSMaP default 360x180, --full 3600x1800; DPR default
// 360x134, --full 1440x536), rank=3|4 (DPR daily, default 4), layers=N or AxB
// (DPR: layer extents, default 2x3 daily, 3x2 monthly, 3 for rank 3),
// strings=vlen|fixed (default fixed). --layout real: DPR daily (version 6)
// layers 2x2, and the groups, attributes and sibling datasets of
// gpm_real_layout.h.

#include <string>

#include "synth_registry.h"

namespace vardane {

namespace synth_gpm {

enum class gpm_product { gsmap_hourly, gsmap_monthly, dpr_daily, dpr_monthly, dprv7_daily, dprv7_monthly };

void write_gpm(const std::string& outfile, const synth_options& options, gpm_product product);

} // namespace synth_gpm

} // namespace vardane
