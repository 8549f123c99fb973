#pragma once

#include <span>

#include "colour/color_map.h"

namespace vardane {

// The class that colours value v, or nullptr when none does (the pixel is
// then transparent). Classes are tried in order:
// - a class with distinct bounds takes lower <= v < upper when `exclusive`
//   is set, lower < v <= upper when it is clear;
// - the first zero-width class takes everything below its bound (v < upper
//   with `exclusive`, v <= upper without), so a table's lowest colour also
//   covers values under the table;
// - any later zero-width class takes every value that reaches it.
// NaN falls in no class.
const color_map* match_colour(std::span<const color_map> classes, float v, bool exclusive);

} // namespace vardane
