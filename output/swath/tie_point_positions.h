#pragma once

#include "output/swath/position_source.h"

namespace vardane {

// Positions interpolated in a latitude/longitude tie-point grid that keeps
// every 10th line and pixel. Bands stored at a coarser resolution than the
// grid's lines and pixels give their factor (4 for the quarter-resolution
// infrared bands).
class tie_point_positions final : public position_source {
public:
    static constexpr std::int32_t kStep = 10;

    tie_point_positions(const float_grid& lat, const float_grid& lon, std::int32_t factor)
        : lat_(lat), lon_(lon), factor_(factor)
    {
    }
    // True when the grid reaches every pixel of a rows x columns raster.
    bool covers(std::int32_t rows, std::int32_t columns) const;
    void line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const override;

private:
    const float_grid& lat_;
    const float_grid& lon_;
    std::int32_t factor_;
};

} // namespace vardane
