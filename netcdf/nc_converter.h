#pragma once

#include <hdf5.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "netcdf/nc_dimensions.h"

namespace vardane {

class nc_file;

// Copies a radiometer HDF5 product into a netCDF classic file at the full
// path ncName: every dataset of the root group with CF-style attributes, and,
// as the flags ask, latitude/longitude variables. One converter per file.
class nc_converter {
public:
    using file_locator = std::function<std::string(const std::string& name)>;

    nc_converter(std::string inputPath, std::string ncName);

    void set_dimensions(std::map<std::string, std::vector<std::string>> table) { dimensions_ = std::move(table); }
    void set_coordinates(std::map<std::string, std::string> table) { coordinates_ = std::move(table); }
    void set_valid_ranges(std::map<std::string, std::vector<float>> table) { validRanges_ = std::move(table); }
    void set_fill_values(std::map<std::string, float> table) { fillValues_ = std::move(table); }

    void set_l1_latlon(bool on) { l1LatLon_ = on; }
    void set_skip_byte_attributes(bool on) { skipByteAttributes_ = on; }
    void set_polar_stereo(bool on) { polarStereo_ = on; }
    void set_l3_grid(bool on) { l3Grid_ = on; }

    // Full path of a file of the program's data folder (the polar
    // coordinate tables).
    void set_data_file_locator(file_locator locate) { locate_ = std::move(locate); }

    // Writes the file. On failure nothing is left at ncName (a file of that
    // name that was there before is left alone) and error() says why.
    bool convert();
    const std::string& error() const { return error_; }

    // "long_name" of a dataset.
    static std::string ChangeName(const std::string& rawName);

private:
    bool write(nc_file& file);
    bool copy_global_attributes(nc_file& file, hid_t root);
    bool copy_dataset(nc_file& file, hid_t root, const std::string& rawName);
    bool copy_dataset_attributes(nc_file& file, hid_t dataset, int varId, int nctype, const std::string& rawName,
                                 const std::string& varName);
    bool put_catalogue_attributes(nc_file& file, int varId, int nctype, bool unsignedBits, const std::string& varName);
    bool define_dims(nc_file& file, const std::string& varName, std::vector<int>& ids,
                     const std::vector<std::uint64_t>& lengths);

    bool add_l1_latlon(nc_file& file, hid_t root);
    bool gcom_l3_lonlat(nc_file& file);
    bool gcom_l3_polar_lonlat(nc_file& file);
    bool put_grid_variable(nc_file& file, const char* name, const char* longName, const char* units,
                           const std::vector<short>& values);

    std::string inputPath_;
    std::string ncName_;
    nc_dimensions dims_;
    std::map<std::string, std::vector<std::string>> dimensions_;
    std::map<std::string, std::string> coordinates_;
    std::map<std::string, std::vector<float>> validRanges_;
    std::map<std::string, float> fillValues_;
    bool l1LatLon_ = false;
    bool skipByteAttributes_ = false;
    bool polarStereo_ = false;
    bool l3Grid_ = false;
    file_locator locate_;
    std::string error_;
};

} // namespace vardane
