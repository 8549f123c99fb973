#include "reader/spinfo.h"

namespace vardane {

namespace {

struct gsmap_layout {
    std::uintmax_t bytes;
    std::uint32_t columns;
    std::uint32_t rows;
};

// Headerless little-endian float grids spanning 60N to 60S.
constexpr gsmap_layout kGsmapLayouts[] = {
    {17'280'000, 3600, 1200},
    {2'764'800, 1440, 480},
};

} // namespace

void spinfo::init_gsmap_bin(const std::string& filename, std::uintmax_t size)
{
    for (const auto& layout : kGsmapLayouts) {
        if (layout.bytes != size) continue;
        fileName = filename;
        kind = PT_GSMAP_HOURLY;
        // Same kind as the HDF5 hourly product, so the same label.
        productLabel = "GPM_GSMaP_Hourly_L3";
        nBands = 1;
        nCount = 1;
        scales = {1.0};
        bytesPerSample = 4;
        pixels = {layout.columns};
        lines = {layout.rows};
        corners[UL] = {60.0, -180.0};
        corners[UR] = {60.0, 180.0};
        corners[LL] = {-60.0, -180.0};
        corners[LR] = {-60.0, 180.0};
        return;
    }
    // The name says GSMaP; a size of no GSMaP grid is a cut or padded file.
    damage = "size of " + std::to_string(size) + " bytes fits no GSMaP grid";
}

} // namespace vardane
