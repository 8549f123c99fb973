#pragma once
// Writers of the radiometer L3 products (brightness temperature and geophysical
// data) of AMSR2 and AMSR-E on the eight L3 grids.
//
// Variants: grid=NAME|WIDTHxHEIGHT (default latlon_0.25, --full latlon_0.1; a
// size that is none of the eight grids is written as a latitude/longitude grid
// without marker, for rejection tests), channel=0..6 (BT: 6.9 ... 89 GHz,
// default 3, 18.7 GHz), geo=CODE|NAME (GD, default SST), layers=N (GD),
// strings=vlen|fixed. --layout real: the storage of the L2 swaths (see
// radiometer_real_layout.h).

#include <string>

#include "radiometer_names.h"
#include "synth_registry.h"

namespace vardane {

namespace synth_radiometer {

enum class l3_content { brightness, geophysical };

void write_radiometer_l3(const std::string& outfile, const synth_options& options, const sensor& s, l3_content content);

} // namespace synth_radiometer

} // namespace vardane
