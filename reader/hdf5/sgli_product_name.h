#pragma once

#include <cstdint>
#include <string_view>

#include "reader/product_types.h"

namespace vardane {

// What the "Product_file_name" of an SGLI product says about it.
struct sgli_name_info {
    productType kind = PT_UNKNOWN;
    bool tile = false;      // "_T" at 19-20: tile numbers follow
    std::int32_t tileV = 0; // characters 21-22: the vertical tile number
    std::int32_t tileH = 0; // characters 23-24: the horizontal tile number
};

// Decodes the product code at character 31 (the daily-tile codes only with
// "01D" at 16-18) and the tile numbers ("_T" at 19-20 followed by four
// digits). Text shorter than a position reads
// as NUL there, so short names match nothing.
sgli_name_info decode_sgli_product_name(std::string_view name);

} // namespace vardane
