#pragma once

#include <cstddef>
#include <vector>

namespace vardane {

// Coordinates of the global latitude/longitude L3 grids in hundredths of a
// degree, line by line, in double precision and truncated toward zero:
// line l at its northern edge, 90 - 180 / lines x l; pixel p at its western
// edge, 360 / pixels x p, taken past 180 to the negative side.
std::vector<short> latlon_grid_latitudes(std::size_t lines, std::size_t pixels);
std::vector<short> latlon_grid_longitudes(std::size_t lines, std::size_t pixels);

} // namespace vardane
