#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "reader/product_types.h"
#include "util/bulk_vector.h"

namespace vardane {

// What a family reader found out about a file when it opened it: the kind,
// the parameters and their shapes, the labels and the corners. `kind` is the
// one validity flag: PT_UNKNOWN means the file is no product.
struct product_description {
    productType kind = PT_UNKNOWN;
    std::string fileName;
    std::map<std::string, std::string> attributes; // HDF5 global attributes
    // Global attributes the file has but whose value could not be read as
    // text (their value in attributes is "").
    std::vector<std::string> unreadableAttributes;
    std::int32_t tileV = 0; // SGLI tile numbers, 0 when not a tile product
    std::int32_t tileH = 0;
    std::uint32_t nCount = 0; // selectable parameters
    std::int32_t nBands = 0;  // datasets or bands found in the file
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint32_t> lines;
    std::vector<double> scales;
    // The unit text of each dataset of an HDF5 kind's table ("" when the
    // dataset states none), in the file's own words.
    std::vector<std::string> units;
    double offset = 0.0;
    double lonOrigin = 0.0; // JASMES grid: centre of the upper-left pixel
    double latOrigin = 0.0;
    double resolution = 0.0;
    std::string para;
    std::string granule;
    std::int32_t bytesPerSample = 0;
    std::string productLabel;
    JasmesArea jasmesArea = JA_NONE;
    std::string geoName;
    L3PsType l3PsType = PS_NONE;
    earthPoint_t corners[4];
    earthPoint_t cornersB[4];
    std::int32_t headerSize = -1;  // bytes before the first sample of a JASMES flat-binary file
    std::int32_t datasetCount = 0; // scientific datasets of a JASMES HDF4 file
    std::string hdf4Type;          // flag-type text of a JASMES HDF4 file (may be empty)
};

// Width and height of parameter idx; 0 for no product or an index beyond
// the parameters.
std::uint32_t pixels_of(const product_description& d, std::uint32_t idx);
std::uint32_t lines_of(const product_description& d, std::uint32_t idx);
// Bytes per sample of parameter idx (3 for a pixel of three bytes); 0 for
// no product or an index beyond the parameters.
std::uint32_t bytes_of(const product_description& d, std::uint32_t idx);

// The three planes a read may fill and the shape of the last read. Exactly
// one plane holds the read's samples (see spinfo's read-data contract).
// Rows [first, first + count) of a delivered plane.
struct row_span {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

struct read_buffers {
    bulk_vector<std::uint8_t> byteRaster;
    bulk_vector<std::uint16_t> shortRaster; // signed samples when the type is DT_INT16
    bulk_vector<float> floatRaster;
    dataAttr_t dataAttr;

    // Gives the planes back; each keeps its memory for a plane of its size.
    void release_planes();
    // Keeps only `rows` of the plane of a read that filled `dtype`'s
    // buffer, first row first. False when they are none or not all in the plane.
    bool keep_rows(std::int32_t dtype, row_span rows);
};

} // namespace vardane
