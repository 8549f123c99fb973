#pragma once

#include <cstdint>
#include <string>

namespace vardane {

// Product kind of the current file. Values are fixed: they are stored in
// settings and compared by number throughout the program.
enum productType : std::int32_t {
    PT_UNKNOWN = 0,
    PT_JASMES_RAW = 1,
    PT_JASMES_HDR = 2,
    PT_JASMES_HDF4 = 3,
    PT_AMSR2_L1A = 4,
    PT_AMSR2_L1B = 5,
    PT_AMSR2_L1R = 6,
    PT_AMSR2_L2_HIGH = 7,
    PT_AMSR2_L2_LOW = 8,
    PT_AMSR2_L3_BT = 9,
    PT_AMSR2_L3_GD = 10,
    PT_AMSRE_L1B = 11,
    PT_AMSRE_L1R = 12,
    PT_AMSRE_L2_HIGH = 13,
    PT_AMSRE_L2_LOW = 14,
    PT_AMSRE_L3_BT = 15,
    PT_AMSRE_L3_GD = 16,
    PT_GSMAP_HOURLY = 17,
    PT_GSMAP_MONTHLY = 18,
    PT_DPR_DAILY = 19,
    PT_DPR_MONTHLY = 20,
    PT_DPRV7_DAILY = 21,
    PT_DPRV7_MONTHLY = 22,
    PT_SGLI_VNR = 23,
    PT_SGLI_POL = 24,
    PT_SGLI_IRS = 25,
    PT_SGLI_NWLR = 26,
    PT_SGLI_IWPR = 27,
    PT_SGLI_SST = 28,
    PT_SGLI_LTOA = 29,
    PT_SGLI_RSRF = 30,
    PT_SGLI_LST = 31,
    PT_SGLI_CLFG = 32,
};

enum JasmesArea : std::int32_t {
    JA_NONE = 0,
    JA_GLOBAL = 1,
    JA_JAPAN = 2,
    JA_THAILAND = 3,
    JA_GOBI = 4,
};

// Grid variant of the radiometer L3 products: 1 and 3 are northern grids.
enum L3PsType : std::int32_t {
    PS_NONE = 0,
    PS_NSIDC_NORTH = 1,
    PS_NSIDC_SOUTH = 2,
    PS_SNOW_NORTH = 3,
};

// Which radiometer where AMSR2 and AMSR-E are handled alike: 1 is AMSR-E,
// every other value AMSR2.
enum AmsrType : std::int32_t {
    AT_AMSR2 = 0,
    AT_AMSRE = 1,
};

// Sample-type code of the buffer a read filled; -1 means none.
enum DataType : std::int32_t {
    DT_NONE = -1,
    DT_UINT8 = 0,
    DT_UINT16 = 1,
    DT_FLOAT32 = 2,
    DT_INT16 = 3,
};

struct earthPoint_t {
    double lat = 0.0;
    double lon = 0.0;
};

// Shape and validity of the array of the last read; handed to the output
// raster as one block.
struct dataAttr_t {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bands = 0;
    std::uint16_t mask = 0;
    std::uint16_t minValidDN = 0;
    std::uint16_t maxValidDN = 0;
    // The samples are codes (flag bits, classes), not measurements: they
    // may be picked but never blended or interpolated.
    bool codes = false;
};

// Corner order everywhere: upper-left, upper-right, lower-left, lower-right.
// Scoped by the namespace so that the two-letter names stay out of every
// other scope; the values index the four-point arrays directly.
namespace corner {
enum index : int { UL = 0, UR = 1, LL = 2, LR = 3 };
} // namespace corner

struct productInfo_t {
    std::string product;
    std::string area;
    std::string para;
    earthPoint_t corner[4];
    double scale = 0.0;
};

// One entry of an HDF5 dataset table. The element type is kept as a code so
// that this header does not pull in the HDF5 headers.
enum class h5_sample : std::int32_t { int16, uint16, uint8, float32 };

struct hdfParam_t {
    std::string name;
    h5_sample h5type = h5_sample::float32;
    std::int32_t rank = 2;
};

inline bool is_swath_kind(productType k)
{
    return (k >= PT_AMSR2_L1A && k <= PT_AMSR2_L2_LOW) || (k >= PT_AMSRE_L1B && k <= PT_AMSRE_L2_LOW)
           || (k >= PT_SGLI_VNR && k <= PT_SGLI_CLFG);
}

inline bool is_gcomc_kind(productType k) { return k >= PT_SGLI_VNR && k <= PT_SGLI_CLFG; }

} // namespace vardane
