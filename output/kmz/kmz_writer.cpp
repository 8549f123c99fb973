#include "output/spout.h"

// KMZ archives: not built yet.
bool spout::gen_KmzImage(const std::string&, bool, float, const std::vector<color_map>&, const std::string&,
                         const std::string&, const std::string&, bool)
{
    return false;
}
