#include "output/spout.h"

// Regridding of swath products onto latitude/longitude windows: not built
// yet, so no window is written.
bool spout::gen_posGeoTIFF(const std::string&, productType, std::int32_t, bool, std::vector<std::string>&)
{
    return false;
}
