#pragma once

#include <optional>
#include <string>

#include "output/geotiff_style.h"

namespace vardane {

// What a finished GeoTIFF is given beyond its pixels.
struct geotiff_finish {
    geotiff_profile profile = geotiff_profile::plain;
    // Recorded as every band's NoData value when set.
    std::optional<double> nodata;
    // The samples are codes (flags, classes): overviews pick a pixel
    // (nearest) instead of averaging.
    bool codes = false;
};

// Compression GDAL applies for the compressed and cog profiles.
inline constexpr const char* kProfileCompression = "DEFLATE";
// Tile edge of the compressed and cog profiles, in pixels.
inline constexpr int kProfileTile = 512;

// Turns the plain GeoTIFF at path, as a writer left it in the working
// folder, into the file `how` asks for, under the same name. `plain`
// without NoData leaves the file untouched. For the other profiles GDAL
// copies the file block by block into a new one beside it (compressing,
// building overviews), which then replaces it. False, with the cause in
// `cause` and no file left at path, when that fails.
bool finish_geotiff(const std::string& path, const geotiff_finish& how, std::string& cause);

} // namespace vardane
