#pragma once
// Pieces shared by the SGLI scene and tile writers: the product file name, the
// "Global_attributes" group, and the Image_data datasets filled from a
// per-pixel position.

#include <H5Cpp.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "orbit_geometry.h"
#include "sgli_names.h"
#include "sgli_real_layout.h"
#include "synth_known_values.h"

namespace vardane {

namespace synth_sgli {

// Product file name with the product code at character 31 and, for tiles, "01D"
// at 16-18 and "_T" + HH + VV at 19-24. Real names (as listed): tiles with 'A'
// at 15, scenes of 1 km with resolution 'K', version "2000".
std::string product_file_name(const product& p, std::string_view code, int tile_h, int tile_v, bool real = false);

// "Global_attributes" group with the one-dimensional "Product_file_name",
// "Satellite" and "Sensor" (real files: the level, name and times too).
void write_global_attributes(const H5::H5File& file, const std::string& product_file_name, const product& p,
                             const sgli_layout& layout);

// Position of pixel (line, pixel) on the full-resolution grid; nothing off the
// Earth.
using position_fn = std::function<std::optional<synth_orbit::geo_point>(int line, int pixel)>;
// Marker cell of a grid of lines x pixels.
using marker_fn = std::function<synth_known::stored_index(int lines, int pixels)>;

// Writes every dataset of the product's table over lines x pixels (bands
// marked quarter over lines/4 x pixels/4), with its attributes and the known
// values, in the given layout.
void write_image_data(const H5::H5File& file, sgli_product id, int lines, int pixels, const position_fn& position,
                      const marker_fn& marker, std::uint32_t seed, const sgli_layout& layout);

} // namespace synth_sgli

} // namespace vardane
