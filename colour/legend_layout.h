#pragma once

#include <cstddef>

namespace vardane {

// Where the bounds of a table are written on its legend picture (the top of
// each label, in pixels): linear tables from row 10 down to row 0, 31.2
// pixels apart; logarithmic tables from 315 upwards in steps of 35. The
// first bound of a table is its minimum, so the minimum sits lowest.
namespace legend_layout {

inline constexpr int kLinearLabels = 11;
inline constexpr int kLogLabels = 10;
inline constexpr double kLabelX = 16.0;

constexpr double label_top(bool linear, std::size_t i)
{
    constexpr double rowHeight = 31.2;
    constexpr double logFirst = 315.0;
    constexpr double logStep = 35.0;
    if (linear) return (kLinearLabels - 1 - double(i)) * rowHeight;
    return logFirst - double(i) * logStep;
}

} // namespace legend_layout

} // namespace vardane
