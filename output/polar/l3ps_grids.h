#pragma once

#include <cstdint>
#include <optional>

namespace vardane {

// The six polar-stereographic grids of the radiometer L3 products, all on the
// Hughes 1980 ellipsoid in metres. A grid is known by its size alone.
struct l3ps_grid {
    std::int32_t width;
    std::int32_t height;
    double pixelSize;  // metres
    double upperLeftX; // metres, outer corner of the first pixel
    double upperLeftY;
    const char* citation;     // GTCitationGeoKey
    std::int32_t projectedCs; // ProjectedCSTypeGeoKey
    double originLat;         // ProjNatOriginLatGeoKey: latitude of true scale
    double poleLon;           // ProjStraightVertPoleLongGeoKey
};

// The geographic part shared by every grid: an unnamed datum on the Hughes
// 1980 ellipsoid, whose axes are written out so that readers need no
// ellipsoid database.
inline constexpr const char* kL3PsGeogCitation = "Unspecified datum based upon the Hughes 1980 ellipsoid";
inline constexpr double kHughesSemiMajor = 6378273.0;
inline constexpr double kHughesSemiMinor = 6356889.449;

inline constexpr const char* kNsidcSouth = "NSIDC Sea Ice Polar Stereographic South";
inline constexpr const char* kNsidcNorth = "NSIDC Sea Ice Polar Stereographic North";
inline constexpr const char* kZemaNorth = "ZEMA Snow Depth Polar Stereographic North";

inline constexpr l3ps_grid kL3PsGrids[] = {
    {790, 830, 10000, -3950000, 4350000, kNsidcSouth, 3412, -70.0, 0.0},
    {316, 332, 25000, -3950000, 4350000, kNsidcSouth, 3412, -70.0, 0.0},
    {760, 1120, 10000, -3850000, 5850000, kNsidcNorth, 3411, 70.0, -45.0},
    {304, 448, 25000, -3850000, 5850000, kNsidcNorth, 3411, 70.0, -45.0},
    {1080, 1435, 10000, -5390000, 6468000, kZemaNorth, 5890, 70.0, 90.0},
    {432, 574, 25000, -5390000, 6468000, kZemaNorth, 5890, 70.0, 90.0},
};

inline std::optional<l3ps_grid> find_l3ps_grid(std::int32_t width, std::int32_t height)
{
    for (const l3ps_grid& g : kL3PsGrids) {
        if (g.width == width && g.height == height) return g;
    }
    return std::nullopt;
}

} // namespace vardane
