#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reader/product_types.h"

namespace vardane {

// The KML document of a KMZ overlay: the image base.tiff laid over its box,
// as a quadrilateral as well for swaths, and the legend picture as a screen
// overlay when there is one. Corners in the order upper-left, upper-right,
// lower-left, lower-right. Lines without line breaks.
std::vector<std::string> kml_lines(const std::string& base, const earthPoint_t corners[4], bool quad,
                                   const std::optional<std::string>& legendName);

// The lines joined, each followed by CR LF.
std::string kml_text(const std::vector<std::string>& lines);

} // namespace vardane
