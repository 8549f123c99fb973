#pragma once

namespace vardane {

// PROJ definitions of the two warps, kept letter for letter as the program
// has always written them (the doubled blanks included): the files' CRS
// descriptions are compared against earlier outputs.
namespace polar_projection {

inline constexpr const char* kOrthoNorth = "+proj=ortho +lat_0=+90.0 +lon_0=0.0";
inline constexpr const char* kOrthoSouth = "+proj=ortho +lat_0=-90.0 +lon_0=0.0";
inline constexpr const char* kStereNorth =
    "+proj=stere +lat_0=90.0 +lon_0=0.0 +k=1 +x_0=0 +y_0=0 +datum=WGS84  +units=m  +no_defs";
inline constexpr const char* kStereSouth =
    "+proj=stere +lat_0=-90.0 +lon_0=0.0 +k=1 +x_0=0 +y_0=0 +datum=WGS84  +units=m +no_defs";

inline const char* ortho(bool north) { return north ? kOrthoNorth : kOrthoSouth; }
inline const char* stere(bool north) { return north ? kStereNorth : kStereSouth; }

} // namespace polar_projection

} // namespace vardane
