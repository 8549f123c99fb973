#include "output/spout.h"

// Radiometer L3 polar-stereographic grids: not built yet.
bool spout::gen_L3PS_GeoTiffImage(const std::string&) { return false; }
