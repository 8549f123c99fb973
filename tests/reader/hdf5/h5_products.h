#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "reader/hdf5/h5_fixture.h"
#include "reader/spinfo.h"

namespace vardane {

// Small product files for the reader tests, written from the reader's own
// dataset tables (the tables themselves are checked name by name elsewhere).
namespace h5prod {

// The dataset table of a kind.
std::vector<hdfParam_t> table_of(productType kind);

// Writes every entry of table with extents rows x cols (rank-3 entries get
// `layers` as third extent), in the entry's type.
void write_table(h5fx::file& f, const std::vector<hdfParam_t>& table, hsize_t rows, hsize_t cols, hsize_t layers = 1);

// A radiometer product: "ProductName" (and "GranuleID") plus the table of
// kind, with a "SCALE FACTOR" on each dataset named in scales.
void write_radiometer(const std::filesystem::path& path, const std::string& productName, productType kind, hsize_t rows,
                      hsize_t cols, hsize_t layers = 1, const std::vector<std::pair<std::string, float>>& scales = {});

// A GPM file header of the given satellite and interval.
std::string gpm_header(const std::string& satellite, const std::string& interval,
                       const std::string& fileName = "GPMMRG_MAP_2401010000_H_L3S_MCH_05A.h5");

// A GSMaP hourly grid of w x h under a GPM header, with extra set in the file.
void write_gsmap_hourly(const std::filesystem::path& path, hsize_t w = 36, hsize_t h = 18,
                        const std::function<void(h5fx::file&)>& extra = {});

// The SGLI "Product_file_name" of a scene (code at 31) or a daily tile.
std::string sgli_scene_name(const std::string& code);
std::string sgli_tile_name(const std::string& code, const std::string& period, int tileV, int tileH);

// Opens path with a fresh spinfo.
void init(spinfo& info, const std::filesystem::path& path);

} // namespace h5prod

} // namespace vardane
