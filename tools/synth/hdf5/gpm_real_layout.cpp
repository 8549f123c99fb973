#include "gpm_real_layout.h"

#include <array>
#include <cstdint>
#include <span>

#include "h5_writer.h"
#include "synth_known_values.h"
#include "util/number_text.h"

namespace vardane {

namespace synth_gpm {

namespace {

using synth_h5::string_layout;

constexpr const char* kMissingText = "-9999.9";
constexpr std::int32_t kMissingInt = -9999;

bool is_gsmap(gpm_product p) { return p == gpm_product::gsmap_hourly || p == gpm_product::gsmap_monthly; }

std::string grid_header(const grid_geometry& g)
{
    const double lonRes = 360.0 / g.nlon;
    const double latRes = 2.0 * g.lat_extent / g.nlat;
    std::string h;
    h += "BinMethod=ARITHMETIC_MEAN;\n";
    h += "Registration=CENTER;\n";
    h += "LatitudeResolution=" + format_general(latRes, 10) + ";\n";
    h += "LongitudeResolution=" + format_general(lonRes, 10) + ";\n";
    h += "NorthBoundingCoordinate=" + format_general(g.lat_extent, 10) + ";\n";
    h += "SouthBoundingCoordinate=" + format_general(-g.lat_extent, 10) + ";\n";
    h += "EastBoundingCoordinate=180;\n";
    h += "WestBoundingCoordinate=-180;\n";
    h += "Origin=SOUTHWEST;\n";
    return h;
}

// The group whose GridHeader describes the grid: the dataset's parent for
// the daily grids, the group above the variable's group for the monthly ones
// ("/Grids/G2/precipRateESurface/mean" -> "/Grids/G2").
std::string grid_group_of(gpm_product product, const std::string& dataset)
{
    std::string group = dataset.substr(0, dataset.rfind('/'));
    if (product == gpm_product::dpr_monthly || product == gpm_product::dprv7_monthly) {
        group = group.substr(0, group.rfind('/'));
    }
    return group;
}

// Latitudes or longitudes of the cell centres, stored [x][y] like the rate.
std::vector<float> cell_centres(const grid_geometry& g, bool latitude)
{
    std::vector<float> out(static_cast<std::size_t>(g.nlon) * g.nlat);
    for (int x = 0; x < g.nlon; ++x) {
        for (int y = 0; y < g.nlat; ++y) {
            const double v = latitude ? -g.lat_extent + (y + 0.5) * 2.0 * g.lat_extent / g.nlat
                                      : -180.0 + (x + 0.5) * 360.0 / g.nlon;
            out[static_cast<std::size_t>(x) * g.nlat + y] = static_cast<float>(v);
        }
    }
    return out;
}

struct sibling {
    std::string_view name;
    std::string_view units;
    bool integer; // satelliteInfoFlag is a 32-bit integer field
};

void write_gsmap_siblings(const H5::H5File& file, gpm_product product, const grid_geometry& g)
{
    const std::vector<hsize_t> dims{static_cast<hsize_t>(g.nlon), static_cast<hsize_t>(g.nlat)};
    for (const bool latitude : {true, false}) {
        auto ds = synth_h5::write_dataset(file, latitude ? "/Grid/Latitude" : "/Grid/Longitude", dims,
                                          cell_centres(g, latitude));
        write_variable_attributes(ds, "degrees", g.dimension_names);
    }
    constexpr std::array<sibling, 5> kHourly{{{"/Grid/gaugeQualityInfo", "counts/day", false},
                                              {"/Grid/hourlyPrecipRateGC", "mm/hr", false},
                                              {"/Grid/observationTimeFlag", "h", false},
                                              {"/Grid/satelliteInfoFlag", "", true},
                                              {"/Grid/snowProbability", "%", false}}};
    constexpr std::array<sibling, 4> kMonthly{{{"/Grid/gaugeQualityInfo", "counts/day", false},
                                               {"/Grid/monthlyPrecipRateGC", "mm/hr", false},
                                               {"/Grid/snowProbability", "%", false},
                                               {"/Grid/standardDeviation", "mm/hr", false}}};
    const bool hourly = product == gpm_product::gsmap_hourly;
    const std::span<const sibling> siblings = hourly ? std::span<const sibling>(kHourly) : kMonthly;
    for (const auto& s : siblings) {
        if (s.integer) {
            auto ds = synth_h5::write_constant<std::int32_t>(file, std::string(s.name), dims, 0);
            synth_h5::write_attr_string(ds, "CodeMissingValue", std::to_string(kMissingInt),
                                        string_layout::fixed_scalar);
            synth_h5::write_attr_string(ds, "DimensionNames", g.dimension_names, string_layout::fixed_scalar);
            synth_h5::write_attr_string(ds, "Units", std::string(s.units), string_layout::fixed_scalar);
            synth_h5::write_attr(ds, "_FillValue", kMissingInt);
            continue;
        }
        auto ds = synth_h5::write_constant<float>(file, std::string(s.name), dims, 0.0f);
        write_variable_attributes(ds, s.units, g.dimension_names);
    }
}

// The near-surface rate beside the estimated-surface one, in each DPR layout.
std::string dpr_sibling(gpm_product product)
{
    switch (product) {
    case gpm_product::dpr_daily: return "/GRID/precipRateNearSurfMean";
    case gpm_product::dpr_monthly: return "/Grids/G2/precipRateNearSurface/mean";
    case gpm_product::dprv7_daily: return "/GRID/precipRateNearSurfaceMean";
    case gpm_product::dprv7_monthly: return "/FS/G2/precipRateNearSurface/mean";
    default: return {};
    }
}

std::string file_info()
{
    return "DataFormatVersion=ch;\nTKCodeBuildVersion=1;\nMetadataVersion=ch;\nFormatPackage=HDF5-1.8.9;\n"
           "BlueprintFilename=GPM.V1.3DPRD.blueprint.xml;\nBlueprintVersion=BV_53;\nTKIOVersion=3.80.26;\n"
           "MetadataStyle=PVL;\nEndianType=LITTLE_ENDIAN;\n";
}

std::string jaxa_info()
{
    return "GranuleFirstScanUTCDateTime=;\nGranuleLastScanUTCDateTime=;\nTotalQualityCode=Good;\nFirstScanLat=;\n"
           "FirstScanLon=;\nLastScanLat=;\nLastScanLon=;\nNumberOfRainPixelsNS=;\nNumberOfRainPixelsMS=;\n"
           "NumberOfRainPixelsHS=;\nProcessingSubSystem=;\nProcessingMode=;\nLightSpeed=;\n"
           "DielectricConstantKa=;\nDielectricConstantKu=;\n";
}

} // namespace

std::string real_file_header(std::string_view file_name, std::string_view satellite, std::string_view interval)
{
    const bool dpr = satellite == "GPM";
    std::string h;
    h += "DOI=;\nDOIauthority=;\nDOIshortName=;\n";
    h += dpr ? "AlgorithmID=3DPRD;\nAlgorithmVersion=V2.20170410;\n" : "AlgorithmID=MRG;\nAlgorithmVersion=05A;\n";
    h += "FileName=" + std::string(file_name) + ";\n";
    h += "SatelliteName=" + std::string(satellite) + ";\n";
    h += "InstrumentName=" + std::string(dpr ? "DPR" : "MERGED") + ";\n";
    h += "GenerationDateTime=2019-07-02T00:00:00.000Z;\n";
    h += "StartGranuleDateTime=2019-07-01T00:00:00.000Z;\n";
    h += "StopGranuleDateTime=2019-07-01T23:59:59.999Z;\n";
    h += "GranuleNumber=;\nNumberOfSwaths=0;\nNumberOfGrids=1;\nGranuleStart=;\n";
    h += "TimeInterval=" + std::string(interval) + ";\n";
    h += "ProcessingSystem=" + std::string(dpr ? "PPS" : "JAXA") + ";\n";
    h += "ProductVersion=" + std::string(dpr ? "V06A" : "05A") + ";\n";
    h += "EmptyGranule=NOT_EMPTY;\nMissingData=;\n";
    return h;
}

void write_variable_attributes(const H5::DataSet& ds, std::string_view units, const std::string& dimension_names)
{
    synth_h5::write_attr_string(ds, "CodeMissingValue", kMissingText, string_layout::fixed_scalar);
    synth_h5::write_attr_string(ds, "DimensionNames", dimension_names, string_layout::fixed_scalar);
    synth_h5::write_attr_string(ds, "Units", std::string(units), string_layout::fixed_scalar);
    synth_h5::write_attr_float(ds, "_FillValue", synth_known::kFillFloat);
}

void write_real_grid(const H5::H5File& file, gpm_product product, const std::string& dataset, const grid_geometry& g)
{
    H5::Group grid = file.openGroup(grid_group_of(product, dataset));
    synth_h5::write_attr_string(grid, "GridHeader", grid_header(g), string_layout::fixed_scalar);
    if (is_gsmap(product)) {
        write_gsmap_siblings(file, product, g);
        return;
    }
    synth_h5::write_attr_string(file, "FileInfo", file_info(), string_layout::fixed_scalar);
    synth_h5::write_attr_string(file, "JAXAInfo", jaxa_info(), string_layout::fixed_scalar);
    auto ds = synth_h5::write_constant<float>(file, dpr_sibling(product), g.dims, synth_known::kFillFloat);
    write_variable_attributes(ds, "mm/hr", g.dimension_names);
}

} // namespace synth_gpm

} // namespace vardane
