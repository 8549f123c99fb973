#pragma once
// What real SGLI products hold beyond the generator's own layout (used with
// --layout real): every numeric attribute an array of one, "Resampling_interval"
// a 32-bit integer, the full "Global_attributes", "Number_of_lines" and
// "Number_of_pixels" on Image_data, the L1B radiance attribute set ("Slope",
// "Offset", "Slope_reflectance", "Offset_reflectance", "Maximum_valid_DN",
// "Bit00(LSB)-13" ...) with missing and saturated counts 16383 and 16382,
// the L2 value attribute set, "Line_tai93", and the sensor and solar angle
// datasets beside the tie-point latitude and longitude.

#include <H5Cpp.h>

#include <cstdint>
#include <string>
#include <vector>

#include "h5_writer.h"
#include "sgli_names.h"
#include "synth_registry.h"
#include "synth_variants.h"

namespace vardane {

namespace synth_sgli {

// How a product is written: its storage form (L2 products are chunked and
// gzip-compressed) and whether it carries the attribute sets of real files.
struct sgli_layout {
    synth_h5::storage form;
    bool real = false;
};
sgli_layout layout_of(const synth_options& o, const product& p);

// Lines x pixels with --full: in the real layout the listed shapes (VNR
// scene 1955 x 1250, "Q" tiles 4800 x 4800), otherwise the generator's own.
synth_variants::pair full_size(const product& p, const sgli_layout& layout);

// L1B counts meaning "missing" and "saturated" in real files; valid counts
// end below them.
inline constexpr std::uint16_t kMissingDN = 16383;
inline constexpr std::uint16_t kSaturatedDN = 16382;
inline constexpr std::uint16_t kMaxValidDN = 16381;

// The Global_attributes texts besides "Product_file_name", "Satellite" and
// "Sensor".
void write_real_global_attributes(const H5::Group& group, const product& p);

// "Number_of_lines" and "Number_of_pixels" on the Image_data group.
void write_image_size(const H5::H5File& file, int lines, int pixels, const synth_h5::storage& form);

// Attributes of a dataset of the product's table in real files.
void write_real_dataset_attributes(const H5::DataSet& ds, const product& p, const dataset& d,
                                   const synth_h5::storage& form);

// Real L1B counts: off-Earth pixels missing, one saturated count.
void mark_missing_and_saturated(std::vector<std::uint16_t>& counts);

// Time of each line, seconds since 1993 ("Line_tai93", L1B scenes).
void write_line_times(const H5::H5File& file, int lines, const synth_h5::storage& form);

// Attributes of the tie-point latitude and longitude arrays.
void write_geolocation_attributes(const H5::DataSet& ds, int step, const synth_h5::storage& form);

// Sensor and solar angles on the tie-point grid of rows x cols (per band too
// for VNR).
void write_angles(const H5::H5File& file, const product& p, int rows, int cols, int step,
                  const synth_h5::storage& form);

} // namespace synth_sgli

} // namespace vardane
