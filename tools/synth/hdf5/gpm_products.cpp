#include "gpm_products.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "content_fields.h"
#include "gpm_real_layout.h"
#include "h5_writer.h"
#include "known_value_stamps.h"
#include "synth_variants.h"

namespace vardane {

namespace synth_gpm {

namespace {

struct gpm_layout {
    gpm_product product;
    std::string_view dataset;
    std::string_view satellite; // SatelliteName in FileHeader
    std::string_view interval;  // TimeInterval in FileHeader
    std::string_view file_name; // FileName in FileHeader (becomes the granule)
    double lat_extent;          // grid covers -extent .. extent
    int default_lon;
    int default_lat;
    int full_lon;
    int full_lat;
    bool layered;
    synth_variants::pair default_layers;
};

// Monthly grids hold rain type x scan layers (3 x 5 before version 7, 3 x 3
// since), daily grids pass x scan, so that every variable of the option sets
// has its layer.
// clang-format off
constexpr std::array<gpm_layout, 6> kLayouts{{
    {gpm_product::gsmap_hourly, "/Grid/hourlyPrecipRate", "MULTI", "HOUR", "SYN_GSMAP_HOURLY.20190701.0100.h5", 90,
     360, 180, 3600, 1800, false, {1, 1}},
    {gpm_product::gsmap_monthly, "/Grid/monthlyPrecipRate", "MULTI", "MONTH", "SYN_GSMAP_MONTHLY.201907.h5", 90,
     360, 180, 3600, 1800, false, {1, 1}},
    {gpm_product::dpr_daily, "/GRID/precipRateESurfMean", "GPM", "DAY", "SYN_DPR_DAILY.20190701.V06.h5", 67, 360,
     134, 1440, 536, true, {2, 3}},
    {gpm_product::dpr_monthly, "/Grids/G2/precipRateESurface/mean", "GPM", "MONTH", "SYN_DPR_MONTHLY.201907.V06.h5",
     67, 360, 134, 1440, 536, true, {3, 5}},
    {gpm_product::dprv7_daily, "/GRID/precipRateESurfaceMean", "GPM", "DAY", "SYN_DPR_DAILY.20190701.V07.h5", 67,
     360, 134, 1440, 536, true, {2, 3}},
    {gpm_product::dprv7_monthly, "/FS/G2/precipRateESurface/mean", "GPM", "MONTH", "SYN_DPR_MONTHLY.201907.V07.h5",
     67, 360, 134, 1440, 536, true, {3, 3}},
}};
// clang-format on

// Layer extents of real files where they differ: the listed version 6 daily
// grid holds 2 x 2 layers (pass x channel).
synth_variants::pair default_layers(const gpm_layout& l, const synth_options& o)
{
    if (o.layout == synth_layout::real && l.product == gpm_product::dpr_daily) return {2, 2};
    return l.default_layers;
}

// DimensionNames of the selected dataset.
std::string dimension_names(const gpm_layout& l, int rank)
{
    if (!l.layered) return "nlon,nlat";
    if (rank == 3) return "AD,nlon,nlat";
    return l.interval == "DAY" ? "AD,chn,nlon,nlat" : "rt,chn,nlon,nlat";
}

const gpm_layout& layout_of(gpm_product p)
{
    for (const auto& l : kLayouts) {
        if (l.product == p) return l;
    }
    return kLayouts[0];
}

std::string file_header(const gpm_layout& l)
{
    std::string h;
    h += "DOI=;\n";
    h += "AlgorithmID=SYNTHETIC;\n";
    h += "AlgorithmVersion=1;\n";
    h += "FileName=" + std::string(l.file_name) + ";\n";
    h += "SatelliteName=" + std::string(l.satellite) + ";\n";
    h += "InstrumentName=" + std::string(l.satellite == "GPM" ? "DPR" : "MERGED") + ";\n";
    h += "GenerationDateTime=2019-07-02T00:00:00.000Z;\n";
    h += "TimeInterval=" + std::string(l.interval) + ";\n";
    h += "ProcessingSystem=vardane-synth;\n";
    return h;
}

// Value of layer `layer` at a position, or fill: GSMaP has no data beyond 60
// degrees; DPR daily grids miss the cells between the day's orbits.
float precipitation_cell(const gpm_layout& l, std::uint32_t seed, double lat, double lon, int layer)
{
    if (!l.layered && std::abs(lat) > 60.0) return synth_known::kFillFloat;
    const bool daily = l.interval == "DAY";
    if (daily && std::fmod(std::abs(lon + 0.4 * lat) + 360.0, 24.7) < 9.0) return synth_known::kFillFloat;
    double r = synth_content::precipitation(seed, lat, lon);
    if (l.interval == "MONTH") r = 0.25 * r + 0.02 * (1.0 + synth_content::land_fraction(lat, lon));
    r *= 1.0 + 0.1 * layer;
    return static_cast<float>(std::round(r * 100.0) / 100.0);
}

} // namespace

void write_gpm(const std::string& outfile, const synth_options& options, gpm_product product)
{
    const gpm_layout& l = layout_of(product);
    const auto size = synth_variants::integer_pair(options, "size",
                                                   options.full ? synth_variants::pair{l.full_lon, l.full_lat}
                                                                : synth_variants::pair{l.default_lon, l.default_lat},
                                                   20000);
    const int nlon = size.a;
    const int nlat = size.b;
    if (nlon < 2 || nlat < 2) throw std::invalid_argument("size needs at least 2x2 cells");
    const bool daily = product == gpm_product::dpr_daily || product == gpm_product::dprv7_daily;
    const int rank = l.layered ? (daily ? synth_variants::integer(options, "rank", 4, 3, 4) : 4) : 2;
    auto layers = rank == 3 ? synth_variants::integer_pair(options, "layers", {3, 1}, 64)
                            : synth_variants::integer_pair(options, "layers", default_layers(l, options), 64);
    if (!l.layered) layers = {1, 1};
    if (rank == 3) layers.b = 1;
    const int nlayers = layers.a * layers.b;

    const std::size_t plane = static_cast<std::size_t>(nlon) * nlat;
    std::vector<float> data(plane * nlayers);
    const double res_lon = 360.0 / nlon;
    const double res_lat = 2.0 * l.lat_extent / nlat;
    const auto marker =
        l.layered ? synth_known::dpr_marker_cell(nlon, nlat) : synth_known::gsmap_marker_cell(nlon, nlat);
    for (int idx = 0; idx < nlayers; ++idx) {
        // Layer order in storage is [i][j] with i the fastest-varying parameter index.
        const int i = idx % layers.a;
        const int j = idx / layers.a;
        const std::size_t base = (static_cast<std::size_t>(i) * layers.b + j) * plane;
        for (int x = 0; x < nlon; ++x) {
            const double lon = -180.0 + (x + 0.5) * res_lon;
            for (int y = 0; y < nlat; ++y) {
                const double lat = -l.lat_extent + (y + 0.5) * res_lat;
                data[base + static_cast<std::size_t>(x) * nlat + y] =
                    precipitation_cell(l, options.seed, lat, lon, idx);
            }
        }
        const synth_stamps::places at{base, base + static_cast<std::size_t>(nlat),
                                      base + marker.first * nlat + marker.second};
        synth_stamps::stamp(data, at, idx);
    }

    std::vector<hsize_t> dims;
    if (rank == 4) dims = {static_cast<hsize_t>(layers.a), static_cast<hsize_t>(layers.b)};
    if (rank == 3) dims = {static_cast<hsize_t>(layers.a)};
    dims.push_back(static_cast<hsize_t>(nlon));
    dims.push_back(static_cast<hsize_t>(nlat));

    H5::H5File file = synth_h5::create_file(outfile);
    const auto layout = synth_variants::string_layout(options, synth_h5::string_layout::fixed_scalar);
    if (options.layout == synth_layout::real) {
        synth_h5::write_attr_string(file, "FileHeader", real_file_header(l.file_name, l.satellite, l.interval), layout);
        auto ds = synth_h5::write_dataset(file, std::string(l.dataset), dims, data);
        const grid_geometry grid{nlon, nlat, l.lat_extent, dims, dimension_names(l, rank)};
        write_variable_attributes(ds, "mm/hr", grid.dimension_names);
        write_real_grid(file, product, std::string(l.dataset), grid);
        return;
    }
    synth_h5::write_attr_string(file, "FileHeader", file_header(l), layout);
    auto ds = synth_h5::write_dataset(file, std::string(l.dataset), dims, data);
    synth_h5::write_attr_string(ds, "units", "mm/hr", synth_h5::string_layout::fixed_scalar);
    synth_h5::write_attr_float(ds, "_FillValue", synth_known::kFillFloat);
}

} // namespace synth_gpm

} // namespace vardane
