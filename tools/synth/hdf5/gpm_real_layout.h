#pragma once
// What real GSMaP and DPR HDF5 files hold beyond the selected precipitation
// dataset (used with --layout real): the full FileHeader, the FileInfo and
// JAXAInfo texts of DPR, GridHeader on the grid group, the attributes
// "CodeMissingValue", "DimensionNames", "Units" and "_FillValue" on every
// dataset, and the sibling datasets of the grid (GSMaP: 2-D latitude and
// longitude, gauge-corrected rate, quality and flags; DPR: the near-surface
// rate beside the estimated-surface one).

#include <H5Cpp.h>

#include <string>
#include <string_view>
#include <vector>

#include "gpm_products.h"

namespace vardane {

namespace synth_gpm {

// The grid the selected dataset lies on.
struct grid_geometry {
    int nlon;
    int nlat;
    double lat_extent;           // latitudes -extent .. extent, longitudes -180 .. 180
    std::vector<hsize_t> dims;   // of the selected dataset: [layers...][nlon][nlat]
    std::string dimension_names; // "nlon,nlat", "AD,chn,nlon,nlat" ...
};

// FileHeader text as real files have it: every key, in their order.
std::string real_file_header(std::string_view file_name, std::string_view satellite, std::string_view interval);

// Everything besides FileHeader and the selected dataset's samples.
void write_real_grid(const H5::H5File& file, gpm_product product, const std::string& dataset,
                     const grid_geometry& grid);

// The attributes real files give every dataset of the grid.
void write_variable_attributes(const H5::DataSet& ds, std::string_view units, const std::string& dimension_names);

} // namespace synth_gpm

} // namespace vardane
