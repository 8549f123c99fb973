#pragma once

#include <string>

namespace vardane {

// The name a colour-bar row shows for an option key: the known
// geophysical variables spelled out ("SST" -> "SST(Sea Surface
// Temperature)"), keys with a leading abbreviation expanded ("PRC for 89A"
// -> "Precipitation for 89A"), any other key unchanged.
std::string GetLongName(const std::string& key);

} // namespace vardane
