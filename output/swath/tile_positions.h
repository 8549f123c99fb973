#pragma once

#include "output/swath/position_source.h"

namespace vardane {

// Positions of the pixels of a 10-degree sinusoidal tile (vertical number v
// from the north, horizontal number h from 180 degrees west), taken at the
// pixel centres, with a border on the tile's edges (rows + 2 lines of
// columns + 2 positions). Neighbouring tiles work out their common edge with
// the same numbers, so their cells meet without a gap.
class tile_positions final : public position_source {
public:
    tile_positions(std::int32_t rows, std::int32_t columns, std::int32_t v, std::int32_t h)
        : rows_(rows), columns_(columns), v_(v), h_(h)
    {
    }
    void line(std::int32_t L, std::int32_t columns, float* lon, float* lat) const override;
    bool bordered() const override { return true; }

private:
    std::int32_t rows_;
    std::int32_t columns_;
    std::int32_t v_;
    std::int32_t h_;
};

} // namespace vardane
