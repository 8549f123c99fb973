#pragma once

#include <cstddef>

namespace vardane {

// Zero-based, inclusive column ranges of the header line formats.
struct header_column {
    std::size_t first;
    std::size_t last;
    constexpr std::size_t length() const { return last - first + 1; }
};

struct header_columns {
    header_column width, height, lon, lat, resolution, scale, offset, para, area;
};

inline constexpr header_columns kT1Columns{
    {0, 5}, {6, 11}, {12, 19}, {20, 27}, {28, 35}, {36, 47}, {48, 59}, {61, 68}, {70, 109},
};

inline constexpr header_columns kT1rgbColumns{
    {0, 5}, {6, 11}, {12, 19}, {20, 27}, {28, 35}, {36, 44}, {45, 53}, {55, 62}, {64, 105},
};

// The short raw T1 form ends after the pixel size.
inline constexpr std::size_t kT1ShortMin = 36;
inline constexpr std::size_t kT1ShortMax = 47;

struct t2_columns {
    header_column width, height, lon, lat, resolution, bands;
    std::size_t firstBandScale; // band k occupies 8 columns from here + 8k
    std::size_t bandScaleWidth;
    int maxBands;
};

inline constexpr t2_columns kT2Columns{
    {0, 5}, {6, 11}, {12, 20}, {21, 29}, {30, 38}, {39, 41}, 42, 8, 32,
};

} // namespace vardane
