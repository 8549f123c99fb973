// GCOM-W AMSR2 radiometer products (the AMSR-E kinds start as copies).
#include <array>

#include "settings/option_catalogue.h"

namespace vardane {

namespace {

constexpr std::array<positional_row, 16> l1ab{{
    {"OC BT (6.9GHz,H)", "6.9GHz_H"},
    {"OC BT (6.9GHz,V)", "6.9GHz_V"},
    {"OC BT (7.3GHz,H)", "7.3GHz_H"},
    {"OC BT (7.3GHz,V)", "7.3GHz_V"},
    {"OC BT (10.7GHz,H)", "10.7GHz_H"},
    {"OC BT (10.7GHz,V)", "10.7GHz_V"},
    {"OC BT (18.7GHz,H)", "18.7GHz_H"},
    {"OC BT (18.7GHz,V)", "18.7GHz_V"},
    {"OC BT (23.8GHz,H)", "23.8GHz_H"},
    {"OC BT (23.8GHz,V)", "23.8GHz_V"},
    {"OC BT (36.5GHz,H)", "36.5GHz_H"},
    {"OC BT (36.5GHz,V)", "36.5GHz_V"},
    {"OC BT (89.0GHz-A,H)", "89.0GHz-A_H"},
    {"OC BT (89.0GHz-A,V)", "89.0GHz-A_V"},
    {"OC BT (89.0GHz-B,H)", "89.0GHz-B_H"},
    {"OC BT (89.0GHz-B,V)", "89.0GHz-B_V"},
}};

constexpr std::array<positional_row, 40> l1r{{
    {"BT (res06,6.9GHz,H)", "r06_6.9GHz_H"},      {"BT (res06,6.9GHz,V)", "r06_6.9GHz_V"},
    {"BT (res06,7.3GHz,H)", "r06_7.3GHz_H"},      {"BT (res06,7.3GHz,V)", "r06_7.3GHz_V"},
    {"BT (res06,10.7GHz,H)", "r06_10.7GHz_H"},    {"BT (res06,10.7GHz,V)", "r06_10.7GHz_V"},
    {"BT (res06,18.7GHz,H)", "r06_18.7GHz_H"},    {"BT (res06,18.7GHz,V)", "r06_18.7GHz_V"},
    {"BT (res06,23.8GHz,H)", "r06_23.8GHz_H"},    {"BT (res06,23.8GHz,V)", "r06_23.8GHz_V"},
    {"BT (res06,36.5GHz,H)", "r06_36.5GHz_H"},    {"BT (res06,36.5GHz,V)", "r06_36.5GHz_V"},
    {"BT (res06,89.0GHz,H)", "r06_89.0GHz_H"},    {"BT (res06,89.0GHz,V)", "r06_89.0GHz_V"},
    {"BT (res10,10.7GHz,H)", "r10_10.7GHz_H"},    {"BT (res10,10.7GHz,V)", "r10_10.7GHz_V"},
    {"BT (res10,18.7GHz,H)", "r10_18.7GHz_H"},    {"BT (res10,18.7GHz,V)", "r10_18.7GHz_V"},
    {"BT (res10,23.8GHz,H)", "r10_23.8GHz_H"},    {"BT (res10,23.8GHz,V)", "r10_23.8GHz_V"},
    {"BT (res10,36.5GHz,H)", "r10_36.5GHz_H"},    {"BT (res10,36.5GHz,V)", "r10_36.5GHz_V"},
    {"BT (res10,89.0GHz,H)", "r10_89.0GHz_H"},    {"BT (res10,89.0GHz,V)", "r10_89.0GHz_V"},
    {"BT (res23,18.7GHz,H)", "r23_18.7GHz_H"},    {"BT (res23,18.7GHz,V)", "r23_18.7GHz_V"},
    {"BT (res23,23.8GHz,H)", "r23_23.8GHz_H"},    {"BT (res23,23.8GHz,V)", "r23_23.8GHz_V"},
    {"BT (res23,36.5GHz,H)", "r23_36.5GHz_H"},    {"BT (res23,36.5GHz,V)", "r23_36.5GHz_V"},
    {"BT (res23,89.0GHz,H)", "r23_89.0GHz_H"},    {"BT (res23,89.0GHz,V)", "r23_89.0GHz_V"},
    {"BT (res36,36.5GHz,H)", "r36_36.5GHz_H"},    {"BT (res36,36.5GHz,V)", "r36_36.5GHz_V"},
    {"BT (res36,89.0GHz,H)", "r36_89.0GHz_H"},    {"BT (res36,89.0GHz,V)", "r36_89.0GHz_V"},
    {"BT (original,89GHz-A,H)", "r89_89GHz-A_H"}, {"BT (original,89GHz-A,V)", "r89_89GHz-A_V"},
    {"BT (original,89GHz-B,H)", "r89_89GHz-B_H"}, {"BT (original,89GHz-B,V)", "r89_89GHz-B_V"},
}};

constexpr std::array<catalogue_row, 2> l2high{{
    {"PRC for 89A", "PRC_89A", 0, true},
    {"PRC for 89B", "PRC_89B", 1, true},
}};

// Geophysical kinds: the index is the layer inside a multi-layer data set.
struct geophysical_row {
    catalogue_row row;
    bool in_l2low;
    bool in_l3gd;
};

constexpr std::array<geophysical_row, 10> geophysical{{
    {{"TPW", "TPW", 0, true}, true, true},
    {{"CLW", "CLW", 0, true}, true, true},
    {{"PRC", "PRC", 0, true}, false, true},
    {{"SSW", "SSW", 0, true}, true, true},
    {{"SST", "SST_STD", 0, true}, true, true},
    {{"SST10GHz", "SST_RSR", 1, true}, true, true},
    {{"SND", "SND", 0, true}, true, true},
    {{"SWE", "SND_SWE", 1, true}, true, true},
    {{"SMC", "SMC", 0, true}, true, true},
    {{"SIC", "SIC", 0, true}, true, true},
}};

constexpr std::array<catalogue_row, 2> l3bt{{
    {"Brightness Temperature (H)", "BT_H", 0, true},
    {"Brightness Temperature (V)", "BT_V", 1, true},
}};

template <bool geophysical_row::*member>
std::vector<catalogue_row> geophysical_rows()
{
    std::vector<catalogue_row> rows;
    for (const auto& g : geophysical) {
        if (g.*member) rows.push_back(g.row);
    }
    return rows;
}

} // namespace

void add_gcomw_options(option_catalogue& catalogue)
{
    catalogue.add(ST_GCOMW_L1AB, l1ab);
    catalogue.add(ST_GCOMW_L1R, l1r);
    catalogue.add(ST_GCOMW_L2HIGH, l2high);
    catalogue.add(ST_GCOMW_L2LOW, geophysical_rows<&geophysical_row::in_l2low>());
    catalogue.add(ST_GCOMW_L3BT, l3bt);
    catalogue.add(ST_GCOMW_L3GD, geophysical_rows<&geophysical_row::in_l3gd>());
}

} // namespace vardane
