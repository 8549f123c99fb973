#include "reader/jasmes/jasmes_grids.h"

namespace vardane {

namespace {

constexpr GeoParam_t kBinaryGrids[] = {
    {7200, 3601, 0.0, 90.0, 0.05, JA_GLOBAL},
    {2701, 2601, 123.0, 50.0, 0.01, JA_JAPAN},
    {3001, 3001, 90.0, 25.0, 0.01, JA_THAILAND},
    {1441, 461, 75.0, 50.0, 0.05, JA_GOBI},
};

constexpr GeoParam_t kHdf4Grids[] = {
    {7200, 3601, 0.0, 90.0, 0.05, JA_GLOBAL},  {5001, 5001, 123.0, 49.0, 0.005, JA_JAPAN},
    {2701, 2601, 123.0, 50.0, 0.01, JA_JAPAN}, {3001, 3001, 90.0, 25.0, 0.01, JA_THAILAND},
    {1441, 461, 75.0, 50.0, 0.05, JA_GOBI},
};

} // namespace

std::span<const GeoParam_t> jasmes_binary_grids() { return kBinaryGrids; }

std::span<const GeoParam_t> jasmes_hdf4_grids() { return kHdf4Grids; }

const GeoParam_t* find_jasmes_grid(std::span<const GeoParam_t> grids, std::int64_t width, std::int64_t height)
{
    for (const auto& g : grids) {
        if (g.width == width && g.height == height) return &g;
    }
    return nullptr;
}

} // namespace vardane
