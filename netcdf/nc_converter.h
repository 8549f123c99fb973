#pragma once

#include <map>
#include <string>
#include <vector>

// Copies a radiometer HDF5 product into a netCDF classic file at the full
// path ncName. One converter per file.
class nc_converter {
public:
    nc_converter(std::string inputPath, std::string ncName);

    void set_dimensions(std::map<std::string, std::vector<std::string>> table) { dimensions_ = std::move(table); }
    void set_coordinates(std::map<std::string, std::string> table) { coordinates_ = std::move(table); }
    void set_valid_ranges(std::map<std::string, std::vector<float>> table) { validRanges_ = std::move(table); }
    void set_fill_values(std::map<std::string, float> table) { fillValues_ = std::move(table); }

    void set_l1_latlon(bool on) { l1LatLon_ = on; }
    void set_skip_byte_attributes(bool on) { skipByteAttributes_ = on; }
    void set_polar_stereo(bool on) { polarStereo_ = on; }
    void set_l3_grid(bool on) { l3Grid_ = on; }

    bool convert();

private:
    std::string inputPath_;
    std::string ncName_;
    std::map<std::string, std::vector<std::string>> dimensions_;
    std::map<std::string, std::string> coordinates_;
    std::map<std::string, std::vector<float>> validRanges_;
    std::map<std::string, float> fillValues_;
    bool l1LatLon_ = false;
    bool skipByteAttributes_ = false;
    bool polarStereo_ = false;
    bool l3Grid_ = false;
};
