#pragma once

#include <string>
#include <vector>

#include "colour/color_map.h"

namespace vardane {

// Reads a ".clt" colour table into its colour classes. Table lines hold
// "VAL = " followed by a class bound, a tab and "COLOR = r,g,b[,a]"; any
// other line is ignored. N table lines give N + 1 classes: a zero-width one
// at the first bound, one per pair of neighbouring bounds (coloured by the
// upper line), and a zero-width one at the last bound.
//
// Lines without a number, without a colour part or with fewer than three
// colour items are skipped; a skipped line's bound still serves as the lower
// bound of the next line. Components are clamped to 0..255, alpha is 255
// when not given. Bounds out of order or NaN are read as they are.
//
// Throws vdn_exception("cannot open file: " + path) when the file cannot be
// opened.
std::vector<color_map> GetColorMap(const std::string& path);

// The same from the text of a table.
std::vector<color_map> parse_colour_table(const std::string& text);

} // namespace vardane
