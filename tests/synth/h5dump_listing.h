#pragma once
// The structure an `h5dump -A` listing describes: groups and datasets with
// their datatypes, extents and attributes (the data blocks are skipped).
// Enough of the text format for the listings in tests/corpus/real.

#include <hdf5.h>

#include <istream>
#include <string>
#include <vector>

namespace vardane {

namespace synth_test {

struct listed_attribute {
    std::string name;
    std::string type;             // "H5T_STD_I32LE", "H5T_IEEE_F32LE", "H5T_STRING" ...
    bool variable_string = false; // STRSIZE H5T_VARIABLE
    bool scalar = false;          // DATASPACE SCALAR (else SIMPLE with `dims`)
    std::vector<hsize_t> dims;
};

struct listed_object {
    std::string path; // "/", "/Grid", "/Grid/Latitude"
    bool dataset = false;
    std::string type; // datasets
    std::vector<hsize_t> dims;
    std::vector<listed_attribute> attributes;
};

// The objects of a listing in listing order; throws std::runtime_error on a
// line it cannot place.
std::vector<listed_object> parse_h5dump_listing(std::istream& in);

} // namespace synth_test

} // namespace vardane
