#include "settings/netcdf_catalogue.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace vardane {

namespace {

using names = std::span<const std::string_view>;

struct valid_range {
    float minimum;
    float maximum;
};

// Data sets that share the same attributes.
struct dataset_group {
    SettingType kind;
    names datasets;
    names dimensions;
    std::string_view coordinates; // empty: no "coordinates" attribute
    std::optional<valid_range> range;
    std::optional<float> fill;
};

constexpr valid_range bt_range{1000.0f, 50000.0f};
constexpr valid_range count_range{-2048.0f, 2048.0f};
constexpr float bt_fill = 65535.0f;
constexpr float signed_fill = -32768.0f;

constexpr std::string_view lonlat = "lon lat";
constexpr std::string_view coords_89a = "Longitude_of_Observation_Point_for_89A Latitude_of_Observation_Point_for_89A";
constexpr std::string_view coords_89b = "Longitude_of_Observation_Point_for_89B Latitude_of_Observation_Point_for_89B";
constexpr std::string_view coords_l2low = "Longitude_of_Observation_Point Latitude_of_Observation_Point";

// Dimension lists.
constexpr std::array<std::string_view, 1> d_time{"time"};
constexpr std::array<std::string_view, 2> d_except89{"time", "Except89Samples"};
constexpr std::array<std::string_view, 2> d_89a{"time", "For89ASamples"};
constexpr std::array<std::string_view, 2> d_89b{"time", "For89BSamples"};
constexpr std::array<std::string_view, 3> d_count6to36{"Count6to36Dims", "time", "Count6to36Samples"};
constexpr std::array<std::string_view, 3> d_count89{"Count89Dims", "time", "Count89Samples"};
constexpr std::array<std::string_view, 3> d_landocean6to36{"LandOcean6to36Dims", "time", "Except89Samples"};
constexpr std::array<std::string_view, 3> d_landocean89{"LandOcean89Dims", "time", "For89ASamples"};
constexpr std::array<std::string_view, 2> d_attitude{"time", "AttitudeDataSamples"};
constexpr std::array<std::string_view, 2> d_navigation{"time", "NavigationDataSamples"};
constexpr std::array<std::string_view, 2> d_supplement{"time", "ObservationSupplementSamples"};
constexpr std::array<std::string_view, 2> d_pcd{"time", "PCDDataSamples"};
constexpr std::array<std::string_view, 2> d_spc{"time", "SPCTemperatureSamples"};
constexpr std::array<std::string_view, 2> d_sps{"time", "SPSTemperatureSamples"};
constexpr std::array<std::string_view, 2> d_rxoffset{"time", "RxOffsetGainCountSamples"};
constexpr std::array<std::string_view, 2> d_scanquality{"time", "ScanDataQualitySamples"};
constexpr std::array<std::string_view, 3> d_spillover{"SpillOverDims", "SpillOverScan", "SpillOverSamples"};
constexpr std::array<std::string_view, 2> d_samples{"time", "Samples"};
constexpr std::array<std::string_view, 3> d_l2high_89a{"time", "Samples", "DataDims89A"};
constexpr std::array<std::string_view, 3> d_l2high_89b{"time", "Samples", "DataDims89B"};
constexpr std::array<std::string_view, 3> d_l2low{"time", "Samples", "DataDims"};
constexpr std::array<std::string_view, 2> d_grid{"line", "pixel"};
constexpr std::array<std::string_view, 3> d_grid_layers{"line", "pixel", "DataDims"};

// Data-set names, L1A/L1B.
constexpr std::array<std::string_view, 12> l1_bt{
    "Brightness_Temperature__6_9GHz_H_",  "Brightness_Temperature__6_9GHz_V_",  "Brightness_Temperature__7_3GHz_H_",
    "Brightness_Temperature__7_3GHz_V_",  "Brightness_Temperature__10_7GHz_H_", "Brightness_Temperature__10_7GHz_V_",
    "Brightness_Temperature__18_7GHz_H_", "Brightness_Temperature__18_7GHz_V_", "Brightness_Temperature__23_8GHz_H_",
    "Brightness_Temperature__23_8GHz_V_", "Brightness_Temperature__36_5GHz_H_", "Brightness_Temperature__36_5GHz_V_"};
constexpr std::array<std::string_view, 2> l1_bt_89a{"Brightness_Temperature__89_0GHz_A_H_",
                                                    "Brightness_Temperature__89_0GHz_A_V_"};
constexpr std::array<std::string_view, 2> l1_bt_89b{"Brightness_Temperature__89_0GHz_B_H_",
                                                    "Brightness_Temperature__89_0GHz_B_V_"};
constexpr std::array<std::string_view, 12> l1_count{
    "Observation_Count__6_9GHz_H_",  "Observation_Count__6_9GHz_V_",  "Observation_Count__7_3GHz_H_",
    "Observation_Count__7_3GHz_V_",  "Observation_Count__10_7GHz_H_", "Observation_Count__10_7GHz_V_",
    "Observation_Count__18_7GHz_H_", "Observation_Count__18_7GHz_V_", "Observation_Count__23_8GHz_H_",
    "Observation_Count__23_8GHz_V_", "Observation_Count__36_5GHz_H_", "Observation_Count__36_5GHz_V_"};
constexpr std::array<std::string_view, 2> l1_count_89a{"Observation_Count__89_0GHz_A_H_",
                                                       "Observation_Count__89_0GHz_A_V_"};
constexpr std::array<std::string_view, 2> l1_count_89b{"Observation_Count__89_0GHz_B_H_",
                                                       "Observation_Count__89_0GHz_B_V_"};
constexpr std::array<std::string_view, 2> l1_cal6to36{"Cold_Sky_Mirror_Count_6_to_36", "Hot_Load_Count_6_to_36"};
constexpr std::array<std::string_view, 1> l1_interp6to36{"Interpolation_Flag_6_to_36"};
constexpr std::array<std::string_view, 2> l1_cal89{"Cold_Sky_Mirror_Count_89", "Hot_Load_Count_89"};
constexpr std::array<std::string_view, 1> l1_interp89{"Interpolation_Flag_89"};
constexpr std::array<std::string_view, 1> landocean6to36{"Land_Ocean_Flag_6_to_36"};
constexpr std::array<std::string_view, 1> landocean89{"Land_Ocean_Flag_89"};
constexpr std::array<std::string_view, 6> l1_angles_lonlat{
    "Earth_Azimuth", "Earth_Incidence", "Sun_Azimuth", "Sun_Elevation", "lat", "lon"};
constexpr std::array<std::string_view, 4> l1_89a_geo_quality{"Latitude_of_Observation_Point_for_89A",
                                                             "Longitude_of_Observation_Point_for_89A",
                                                             "Pixel_Data_Quality_6_to_36", "Pixel_Data_Quality_89"};
constexpr std::array<std::string_view, 2> l1_89b_geo{"Latitude_of_Observation_Point_for_89B",
                                                     "Longitude_of_Observation_Point_for_89B"};
constexpr std::array<std::string_view, 1> attitude{"Attitude_Data"};
constexpr std::array<std::string_view, 1> navigation{"Navigation_Data"};
constexpr std::array<std::string_view, 1> supplement{"Observation_Supplement"};
constexpr std::array<std::string_view, 1> pcd{"PCD_Data"};
constexpr std::array<std::string_view, 1> spc{"SPC_Temperature_Count"};
constexpr std::array<std::string_view, 1> sps{"SPS_Temperature_Count"};
constexpr std::array<std::string_view, 1> rxoffset{"Rx_Offset_Gain_Count"};
constexpr std::array<std::string_view, 1> scanquality{"Scan_Data_Quality"};
constexpr std::array<std::string_view, 2> orbit_time{"Position_in_Orbit", "Scan_Time"};
constexpr std::array<std::string_view, 1> spillover{"Spill_Over"};

// L1R.
constexpr std::array<std::string_view, 36> l1r_bt{
    "Brightness_Temperature__res06_6_9GHz_H_",  "Brightness_Temperature__res06_6_9GHz_V_",
    "Brightness_Temperature__res06_7_3GHz_H_",  "Brightness_Temperature__res06_7_3GHz_V_",
    "Brightness_Temperature__res06_10_7GHz_H_", "Brightness_Temperature__res06_10_7GHz_V_",
    "Brightness_Temperature__res06_18_7GHz_H_", "Brightness_Temperature__res06_18_7GHz_V_",
    "Brightness_Temperature__res06_23_8GHz_H_", "Brightness_Temperature__res06_23_8GHz_V_",
    "Brightness_Temperature__res06_36_5GHz_H_", "Brightness_Temperature__res06_36_5GHz_V_",
    "Brightness_Temperature__res06_89_0GHz_H_", "Brightness_Temperature__res06_89_0GHz_V_",
    "Brightness_Temperature__res10_10_7GHz_H_", "Brightness_Temperature__res10_10_7GHz_V_",
    "Brightness_Temperature__res10_18_7GHz_H_", "Brightness_Temperature__res10_18_7GHz_V_",
    "Brightness_Temperature__res10_23_8GHz_H_", "Brightness_Temperature__res10_23_8GHz_V_",
    "Brightness_Temperature__res10_36_5GHz_H_", "Brightness_Temperature__res10_36_5GHz_V_",
    "Brightness_Temperature__res10_89_0GHz_H_", "Brightness_Temperature__res10_89_0GHz_V_",
    "Brightness_Temperature__res23_18_7GHz_H_", "Brightness_Temperature__res23_18_7GHz_V_",
    "Brightness_Temperature__res23_23_8GHz_H_", "Brightness_Temperature__res23_23_8GHz_V_",
    "Brightness_Temperature__res23_36_5GHz_H_", "Brightness_Temperature__res23_36_5GHz_V_",
    "Brightness_Temperature__res23_89_0GHz_H_", "Brightness_Temperature__res23_89_0GHz_V_",
    "Brightness_Temperature__res36_36_5GHz_H_", "Brightness_Temperature__res36_36_5GHz_V_",
    "Brightness_Temperature__res36_89_0GHz_H_", "Brightness_Temperature__res36_89_0GHz_V_"};
constexpr std::array<std::string_view, 2> l1r_bt_89a{"Brightness_Temperature__original_89GHz_A_H_",
                                                     "Brightness_Temperature__original_89GHz_A_V_"};
constexpr std::array<std::string_view, 2> l1r_bt_89b{"Brightness_Temperature__original_89GHz_B_H_",
                                                     "Brightness_Temperature__original_89GHz_B_V_"};
constexpr std::array<std::string_view, 5> l1r_angles{"Area_Mean_Height", "Earth_Azimuth", "Earth_Incidence",
                                                     "Sun_Azimuth", "Sun_Elevation"};
constexpr std::array<std::string_view, 2> l1r_89a_geo{"Latitude_of_Observation_Point_for_89A",
                                                      "Longitude_of_Observation_Point_for_89A"};
constexpr std::array<std::string_view, 2> pixel_quality{"Pixel_Data_Quality_6_to_36", "Pixel_Data_Quality_89"};

// L2.
constexpr std::array<std::string_view, 1> l2high_89a{"Geophysical_Data_for_89A"};
constexpr std::array<std::string_view, 1> l2high_89b{"Geophysical_Data_for_89B"};
constexpr std::array<std::string_view, 4> l2high_geo{
    "Latitude_of_Observation_Point_for_89A", "Latitude_of_Observation_Point_for_89B",
    "Longitude_of_Observation_Point_for_89A", "Longitude_of_Observation_Point_for_89B"};
constexpr std::array<std::string_view, 1> geophysical{"Geophysical_Data"};
constexpr std::array<std::string_view, 2> l2low_geo{"Latitude_of_Observation_Point", "Longitude_of_Observation_Point"};

// L3.
constexpr std::array<std::string_view, 2> l3bt_bt{"Brightness_Temperature__H_", "Brightness_Temperature__V_"};
constexpr std::array<std::string_view, 8> l3bt_other{"Average_Number__H_",
                                                     "Average_Number__V_",
                                                     "Standard_Deviation__H_",
                                                     "Standard_Deviation__V_",
                                                     "Total_Number__H_",
                                                     "Total_Number__V_",
                                                     "lat",
                                                     "lon"};
constexpr std::array<std::string_view, 3> l3gd_stats{"Average_Number", "Standard_Deviation", "Total_Number"};
constexpr std::array<std::string_view, 2> lat_lon{"lat", "lon"};

constexpr std::nullopt_t none = std::nullopt;

const std::array<dataset_group, 50> groups{{
    // L1A / L1B
    {ST_GCOMW_L1AB, l1_bt, d_except89, lonlat, bt_range, bt_fill},
    {ST_GCOMW_L1AB, l1_bt_89a, d_89a, coords_89a, bt_range, bt_fill},
    {ST_GCOMW_L1AB, l1_bt_89b, d_89b, coords_89b, bt_range, bt_fill},
    {ST_GCOMW_L1AB, l1_count, d_except89, lonlat, count_range, signed_fill},
    {ST_GCOMW_L1AB, l1_count_89a, d_89a, coords_89a, count_range, signed_fill},
    {ST_GCOMW_L1AB, l1_count_89b, d_89b, coords_89b, count_range, signed_fill},
    {ST_GCOMW_L1AB, l1_cal6to36, d_count6to36, {}, none, signed_fill},
    {ST_GCOMW_L1AB, l1_interp6to36, d_count6to36, {}, none, none},
    {ST_GCOMW_L1AB, l1_cal89, d_count89, {}, none, signed_fill},
    {ST_GCOMW_L1AB, l1_interp89, d_count89, {}, none, none},
    {ST_GCOMW_L1AB, landocean6to36, d_landocean6to36, {}, none, none},
    {ST_GCOMW_L1AB, landocean89, d_landocean89, {}, none, none},
    {ST_GCOMW_L1AB, l1_angles_lonlat, d_except89, {}, none, none},
    {ST_GCOMW_L1AB, l1_89a_geo_quality, d_89a, {}, none, none},
    {ST_GCOMW_L1AB, l1_89b_geo, d_89b, {}, none, none},
    {ST_GCOMW_L1AB, attitude, d_attitude, {}, none, none},
    {ST_GCOMW_L1AB, navigation, d_navigation, {}, none, none},
    {ST_GCOMW_L1AB, supplement, d_supplement, {}, none, -1.0f},
    {ST_GCOMW_L1AB, pcd, d_pcd, {}, none, -1.0f},
    {ST_GCOMW_L1AB, spc, d_spc, {}, none, -1.0f},
    {ST_GCOMW_L1AB, sps, d_sps, {}, none, -1.0f},
    {ST_GCOMW_L1AB, rxoffset, d_rxoffset, {}, none, none},
    {ST_GCOMW_L1AB, scanquality, d_scanquality, {}, none, none},
    {ST_GCOMW_L1AB, orbit_time, d_time, {}, none, none},
    {ST_GCOMW_L1AB, spillover, d_spillover, {}, none, none},
    // L1R
    {ST_GCOMW_L1R, l1r_bt, d_except89, lonlat, bt_range, bt_fill},
    {ST_GCOMW_L1R, l1r_bt_89a, d_89a, coords_89a, bt_range, bt_fill},
    {ST_GCOMW_L1R, l1r_bt_89b, d_89b, coords_89b, bt_range, bt_fill},
    {ST_GCOMW_L1R, l1r_angles, d_except89, {}, none, none},
    {ST_GCOMW_L1R, landocean6to36, d_landocean6to36, {}, none, none},
    {ST_GCOMW_L1R, landocean89, d_landocean89, {}, none, none},
    {ST_GCOMW_L1R, l1r_89a_geo, d_89a, {}, none, none},
    {ST_GCOMW_L1R, l1_89b_geo, d_89b, {}, none, none},
    {ST_GCOMW_L1R, pixel_quality, d_89a, {}, none, none},
    {ST_GCOMW_L1R, attitude, d_attitude, {}, none, none},
    {ST_GCOMW_L1R, navigation, d_navigation, {}, none, none},
    {ST_GCOMW_L1R, scanquality, d_scanquality, {}, none, none},
    {ST_GCOMW_L1R, orbit_time, d_time, {}, none, none},
    // L2 high resolution
    {ST_GCOMW_L2HIGH, l2high_89a, d_l2high_89a, coords_89a, none, signed_fill},
    {ST_GCOMW_L2HIGH, l2high_89b, d_l2high_89b, coords_89b, none, signed_fill},
    {ST_GCOMW_L2HIGH, l2high_geo, d_samples, {}, none, none},
    {ST_GCOMW_L2HIGH, orbit_time, d_time, {}, none, none},
    // L2 low resolution
    {ST_GCOMW_L2LOW, geophysical, d_l2low, coords_l2low, none, signed_fill},
    {ST_GCOMW_L2LOW, l2low_geo, d_samples, {}, none, none},
    {ST_GCOMW_L2LOW, orbit_time, d_time, {}, none, none},
    // L3
    {ST_GCOMW_L3BT, l3bt_bt, d_grid, lonlat, bt_range, bt_fill},
    {ST_GCOMW_L3BT, l3bt_other, d_grid, {}, none, none},
    {ST_GCOMW_L3GD, geophysical, d_grid_layers, lonlat, none, signed_fill},
    {ST_GCOMW_L3GD, l3gd_stats, d_grid_layers, {}, none, none},
    {ST_GCOMW_L3GD, lat_lon, d_grid, {}, none, none},
}};

void add_group(netcdf_catalogue& catalogue, const dataset_group& group)
{
    const std::vector<std::string> dimensions(group.dimensions.begin(), group.dimensions.end());
    for (const std::string_view dataset : group.datasets) {
        const std::string name(dataset);
        catalogue.dimensions[group.kind][name] = dimensions;
        if (!group.coordinates.empty()) {
            catalogue.coordinates[group.kind][name] = std::string(group.coordinates);
        }
        if (group.range) {
            catalogue.valid_ranges[group.kind][name] = {group.range->minimum, group.range->maximum};
        }
        if (group.fill) catalogue.fill_values[group.kind][name] = *group.fill;
    }
}

} // namespace

void add_gcomw_netcdf_catalogue(netcdf_catalogue& catalogue)
{
    for (SettingType kind :
         {ST_GCOMW_L1AB, ST_GCOMW_L1R, ST_GCOMW_L2HIGH, ST_GCOMW_L2LOW, ST_GCOMW_L3BT, ST_GCOMW_L3GD}) {
        catalogue.dimensions[kind].clear();
        catalogue.coordinates[kind].clear();
        catalogue.valid_ranges[kind].clear();
        catalogue.fill_values[kind].clear();
    }
    for (const auto& group : groups) add_group(catalogue, group);
}

} // namespace vardane
