#pragma once
// What real AMSR2 / AMSR-E products hold beyond the datasets every layout
// shares: the full set of root attributes, "UNIT" beside every
// "SCALE FACTOR", the housekeeping datasets of L1B, the scan-level datasets
// of every swath and the pixel quality of L2 low. Used with --layout real.

#include <H5Cpp.h>

#include <string_view>

#include "h5_writer.h"
#include "radiometer_attributes.h"
#include "radiometer_names.h"
#include "synth_registry.h"

namespace vardane {

namespace synth_radiometer {

// Storage of a product: real products keep "SCALE FACTOR" as an array of
// one; the L2 products (and the L3 grids, which follow them) are chunked and
// deflate-compressed as well. The generator's own layout: scalars,
// contiguous.
synth_h5::storage storage_of(const synth_options& o, bool geophysical_level);

// The root attributes of a real product, every one a one-element string in
// `layout`: those of `a`, the scan count (none for 0), and the stand-in
// values of the others.
void write_real_root_attributes(const H5::H5File& file, const sensor& s, const root_attributes& a, int scans,
                                synth_h5::string_layout layout);

// "UNIT" as real products store it: a one-element fixed-length string.
void write_unit(const H5::H5Object& obj, std::string_view unit);

// Unit of a geophysical variable's "Geophysical Data".
std::string_view geophysical_unit(const geophysical& g);

// The 23 L1B datasets besides the brightness temperatures and the 89 GHz
// geolocation: calibration counts, flags, pixel and scan quality, angles,
// navigation and scan time.
void write_l1b_housekeeping(const H5::H5File& file, int scans, int samples89, const synth_h5::storage& form);

// "Position in Orbit" and "Scan Time", which every real swath holds.
void write_scan_datasets(const H5::H5File& file, int scans, const synth_h5::storage& form);

// "Pixel Data Quality" of L2 low: two flag planes over the low-resolution swath.
void write_l2_pixel_quality(const H5::H5File& file, int scans, int samples_low, const synth_h5::storage& form);

// L3 grids: the observation time of each cell ("Time Information", hours of
// the day, stand-in values), on the grid's own rows and columns.
void write_l3_time_information(const H5::H5File& file, int rows, int columns, const synth_h5::storage& form);

} // namespace synth_radiometer

} // namespace vardane
