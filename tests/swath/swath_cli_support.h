#pragma once
// Shared by the vardane-cli runs over swath products: a settings edit that
// keeps a few variables of each swath option set, so that the outputs stay
// small.

#include <set>

#include <gtest/gtest.h>

#include "settings/spconverter.h"

namespace vardane {

namespace swath_cli {

// A few variables of each option set keep the outputs small: for the
// radiometer L1 sets a co-registered band, an 89 GHz A and an 89 GHz B band;
// for the infrared scene a quarter-resolution band and a full one.
struct kept_options {
    SettingType setting;
    std::set<int> indices;
};
inline const kept_options kKept[] = {
    {ST_GCOMW_L1AB, {0, 12, 14}}, {ST_AMSRE_L1AB, {0, 12, 14}}, {ST_GCOMW_L1R, {0, 36, 38}},
    {ST_AMSRE_L1R, {0, 36, 38}},  {ST_GCOMC_VNR, {0}},          {ST_GCOMC_POL, {0}},
    {ST_GCOMC_IRS, {0, 2}},       {ST_GCOMC_NWLR, {0}},         {ST_GCOMC_IWPR, {0}},
    {ST_GCOMC_SST, {0}},          {ST_GCOMC_LTOA, {0}},         {ST_GCOMC_RSRF, {0}},
    {ST_GCOMC_LST, {0}},          {ST_GCOMC_CLFG, {0}},
};

inline void keep_few(spconverter& s)
{
    for (const auto& k : kKept) {
        for (const auto& key : s.get_key_list(k.setting)) {
            optSet_t entry;
            ASSERT_TRUE(s.get_OptSetting(k.setting, key, entry));
            entry.flag = entry.flag && k.indices.count(entry.index) > 0;
            ASSERT_TRUE(s.set_OptSetting(k.setting, key, entry));
        }
    }
}

} // namespace swath_cli

} // namespace vardane
