#include "output/swath/position_source.h"

namespace vardane {

bool array_positions::covers(std::int32_t rows, std::int32_t columns) const
{
    if (lat_.width != lon_.width || lat_.height != lon_.height) return false;
    if (lat_.values.size() != std::size_t(lat_.width) * std::size_t(lat_.height)) return false;
    if (lon_.values.size() != lat_.values.size()) return false;
    const std::int64_t lastColumn = std::int64_t(stride_) * (columns - 1);
    return rows <= lat_.height && lastColumn < lat_.width;
}

void array_positions::line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const
{
    const float* latRow = lat_.values.data() + std::size_t(L) * std::size_t(lat_.width);
    const float* lonRow = lon_.values.data() + std::size_t(L) * std::size_t(lon_.width);
    for (std::int32_t P = 0; P < columns; ++P) {
        lat[P] = latRow[std::size_t(P) * std::size_t(stride_)];
        lon[P] = lonRow[std::size_t(P) * std::size_t(stride_)];
    }
}

} // namespace vardane
