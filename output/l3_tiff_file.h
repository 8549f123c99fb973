#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "output/tiff_handles.h"

namespace vardane {

class output_raster;

// Writes a 16-bit L3 grid as a big-endian GeoTIFF through libtiff and
// libgeotiff, as the radiometer grids are delivered: one band of 16-bit
// samples, describe() adds the georeferencing tags and GeoKeys, then each raster row goes out as one scanline,
// output column c taken from raster column c + shift (wrapped). A file that
// could not be written whole is removed. False on any failure, with the
// system's or libtiff's words in cause.
bool write_l3_tiff(const std::string& name, const output_raster& raster, bool isSigned, std::int32_t shift,
                   const std::function<bool(TIFF*, GTIF*)>& describe, std::string& cause);

} // namespace vardane
