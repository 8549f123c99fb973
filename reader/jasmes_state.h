#pragma once

#include <cstdint>
#include <string>

#include "reader/product_types.h"

namespace vardane {

// One known JASMES latitude/longitude grid.
struct GeoParam_t {
    std::int32_t width = 0;
    std::int32_t height = 0;
    double lon = 0.0; // centre of the upper-left pixel
    double lat = 0.0;
    double resolution = 0.0;
    JasmesArea area = JA_NONE;
};

// The parsed one-line text header of a JASMES flat-binary file.
struct JasmesHeader_t {
    std::int32_t width = 0;
    std::int32_t height = 0;
    double lon = 0.0;
    double lat = 0.0;
    double resolution = 0.0;
    double scale = 0.0;
    double offset = 0.0;
    std::string para;
    std::string area;
    std::int32_t bands = 0;
    double bandScale[32] = {};
};

void clear_JasmeHeader(JasmesHeader_t& header);

// What the JASMES flat-binary reader remembers of its file between
// recognition and read.
struct jasmes_state {
    JasmesHeader_t header;
    std::uint32_t planes = 0;      // image planes stored after the header
    std::uint32_t sampleBytes = 0; // bytes per stored sample of a plane
};

} // namespace vardane
