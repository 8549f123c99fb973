#pragma once

#include <cstdint>
#include <string_view>

namespace vardane {

// One scientific dataset a JASMES HDF4 file may hold.
struct sdsParam_t {
    std::string_view name;
    std::int32_t numberType; // HDF4 number-type code
    std::int32_t rank;
};

inline constexpr std::int32_t kHdf4Uint8 = 21;
inline constexpr std::int32_t kHdf4Char8 = 4;

// Wanted datasets, in priority order: the first one found is the product.
inline constexpr sdsParam_t kJasmesHdf4Datasets[] = {
    {"cs_flg_tpf", kHdf4Uint8, 2},
    {"Surface_Flag", kHdf4Uint8, 2},
};

// The global attribute whose text names the area.
inline constexpr std::string_view kJasmesHdf4AreaAttribute = "File Name";

} // namespace vardane
