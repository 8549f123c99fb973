#include "output/swath/tie_point_positions.h"

#include <algorithm>

namespace vardane {

bool tie_point_positions::covers(std::int32_t rows, std::int32_t columns) const
{
    if (lat_.width != lon_.width || lat_.height != lon_.height) return false;
    if (lat_.values.size() != std::size_t(lat_.width) * std::size_t(lat_.height)) return false;
    if (lon_.values.size() != lat_.values.size()) return false;
    const std::int64_t lastTieRow = std::int64_t(rows - 1) * factor_ / kStep;
    const std::int64_t lastTieColumn = std::int64_t(columns - 1) * factor_ / kStep;
    return lastTieRow < lat_.height && lastTieColumn < lat_.width;
}

void tie_point_positions::line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const
{
    const std::int32_t line = L * factor_;
    const std::int32_t i = line / kStep;
    const float a = static_cast<float>(line % kStep);
    // The next tie row or column is only weighed when a pixel lies past the
    // current one; on the grid's last row or column the weight is 0 and the
    // row itself stands in for the one beyond.
    const std::int32_t below = std::min(i + 1, lat_.height - 1);
    const float step = static_cast<float>(kStep);
    for (std::int32_t P = 0; P < columns; ++P) {
        const std::int32_t pixel = P * factor_;
        const std::int32_t j = pixel / kStep;
        const float b = static_cast<float>(pixel % kStep);
        const std::int32_t right = std::min(j + 1, lat_.width - 1);

        const float lat00 = lat_.at(i, j);
        lat[P] = lat00 + (lat_.at(i, right) - lat00) / step * b + (lat_.at(below, j) - lat00) / step * a;

        float lon00 = lon_.at(i, j);
        float lon10 = lon_.at(below, j);
        float lon01 = lon_.at(i, right);
        // Across the date line the three are brought onto one side; the
        // result stays unfolded (east of 180).
        if (std::max({lon00, lon10, lon01}) - std::min({lon00, lon10, lon01}) > 180.0f) {
            for (float* v : {&lon00, &lon10, &lon01}) {
                if (*v < 0.0f) *v += 360.0f;
            }
        }
        lon[P] = lon00 + (lon10 - lon00) / step * a + (lon01 - lon00) / step * b;
    }
}

} // namespace vardane
