#include "output/spout.h"

// Reprojection of a global grid to polar-stereographic images: not built yet.
bool spout::gen_GeoTiff_PolarImages(std::int32_t, const std::string&, const std::string&, std::int32_t)
{
    return false;
}
