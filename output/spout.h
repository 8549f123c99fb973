#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "colour/color_map.h"
#include "reader/product_types.h"

// The image-output object: holds the output raster of the current variable
// and writes it in every output form. Writers create their files under the
// given (relative) names in the current directory, which the run driver sets
// to the working folder.
class spout {
public:
    spout();
    ~spout();
    spout(const spout&) = delete;
    spout& operator=(const spout&) = delete;

    bool init_char(const std::uint8_t* data, const dataAttr_t& attr, const productInfo_t& info);
    bool init_short(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info);
    bool init_signed(const std::uint16_t* data, const dataAttr_t& attr, const productInfo_t& info);
    bool init_float(const float* data, const dataAttr_t& attr, const productInfo_t& info);

    bool read_fvals(const std::string& key, const float* data, const dataAttr_t& attr);
    void parse_cor_a1(const std::string& text);
    void parse_cor_a2(const std::string& text);
    void tile_no(std::int32_t horizontal, std::int32_t vertical);

    bool gen_TiffImage(const std::string& name, bool a, bool b, double c);
    bool gen_posGeoTIFF(const std::string& stem, productType kind, std::int32_t idx, bool keep,
                        std::vector<std::string>& names);
    bool gen_GeoTiffImage(const std::string& name, std::int32_t area);
    bool gen_GeoTiff_PolarImages(std::int32_t mode, const std::string& north, const std::string& south,
                                 std::int32_t area);
    bool gen_L3EQR_GeoTiffImage(const std::string& name, bool flag);
    bool gen_L3PS_GeoTiffImage(const std::string& name);
    bool gen_KmzImage(const std::string& name, bool quad, float unused, const std::vector<color_map>& colours,
                      const std::string& pngName, const std::string& pngPath, const std::string& invalidText,
                      bool flag);
};
