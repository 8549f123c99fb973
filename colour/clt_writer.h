#pragma once

#include <string>

#include "colour/clt_folders.h"

namespace vardane {

struct clt_written {
    bool table = false;        // tables/NAME.clt was written
    std::string legendProblem; // empty when tables/NAME.png was saved
};

// Writes the colour table tables/NAME.clt for the range minimum .. maximum
// and then its legend picture (create_colorbar_img). `type` "Linear" gives
// eleven evenly spaced bounds coloured by the linear palette; any other type
// gives ten bounds spaced as log10(10 / (10 - k)) of the range, coloured by
// the logarithmic palette. A linear range with minimum >= maximum gives the
// single line of the maximum. `unused` has no effect.
clt_written create_clt(const clt_folders& folders, float minimum, float maximum, float unused, const std::string& type,
                       const std::string& name);

// The text of that table.
std::string clt_text(float minimum, float maximum, const std::string& type);

} // namespace vardane
