#pragma once

#include <cstdint>
#include <string>

namespace vardane {

// Option-set kind; stored as a number in the settings file.
enum SettingType : std::int32_t {
    ST_NONE = 0,
    ST_GSMAP_HOURLY = 1,
    ST_GSMAP_MONTHLY = 2,
    ST_DPR_DAILY = 3,
    ST_DPR_MONTHLY = 4,
    ST_DPRV7_DAILY = 5,
    ST_DPRV7_MONTHLY = 6,
    ST_GCOMW_L1AB = 7,
    ST_GCOMW_L1R = 8,
    ST_GCOMW_L2HIGH = 9,
    ST_GCOMW_L2LOW = 10,
    ST_GCOMW_L3BT = 11,
    ST_GCOMW_L3GD = 12,
    ST_AMSRE_L1AB = 13,
    ST_AMSRE_L1R = 14,
    ST_AMSRE_L2HIGH = 15,
    ST_AMSRE_L2LOW = 16,
    ST_AMSRE_L3BT = 17,
    ST_AMSRE_L3GD = 18,
    ST_JASMES_GLOBAL = 19,
    ST_JASMES_JAPAN = 20,
    ST_JASMES_THAILAND = 21,
    ST_JASMES_GOBI = 22,
    ST_GCOMC_VNR = 23,
    ST_GCOMC_POL = 24,
    ST_GCOMC_IRS = 25,
    ST_GCOMC_NWLR = 26,
    ST_GCOMC_IWPR = 27,
    ST_GCOMC_SST = 28,
    ST_GCOMC_LTOA = 29,
    ST_GCOMC_RSRF = 30,
    ST_GCOMC_LST = 31,
    ST_GCOMC_CLFG = 32,
};

// Image geometry of a gridded product.
enum TiffGenType : std::int32_t {
    TG_EQR = 0,
    TG_POLAR_BOTH = 1,
    TG_POLAR_NORTH = 2,
    TG_POLAR_SOUTH = 3,
};

// The option entry of one variable. flag and name are the selection part;
// custom_colorbar .. invalid_values the colour-bar part.
struct optSet_t {
    bool flag = false;
    std::string name;
    std::int32_t index = 0;
    bool custom_colorbar = false;
    float cb_min = 0.0f;
    float cb_max = 0.0f;
    bool cb_log = false;
    std::string invalid_values;
};

// One variable chosen for a run.
struct spcvt_listitem {
    std::int32_t index = 0;
    std::string key;
    std::string name;
};

} // namespace vardane
