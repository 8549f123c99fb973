// vardane._vardane.swath_positions and polar_grid: where the samples of a
// product lie, as the GeoTIFF writers place them, for open_dataset.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <ogr_spatialref.h>
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "driver/product_rules.h"
#include "output/gdal_session.h"
#include "output/polar/l3ps_grids.h"
#include "output/swath/position_source.h"
#include "output/swath_geolocation.h"
#include "python/bindings.h"
#include "python/geolocation_read.h"
#include "python/opened_product.h"
#include "util/row_bands.h"
#include "util/string_utils.h"

namespace vardane {

namespace py = pybind11;

namespace {

// One variable whose positions are asked: its data-source index and the
// lines and pixels of its samples.
using position_request = std::tuple<std::int32_t, std::int32_t, std::int32_t>;

// Longitude and latitude of the samples of lines [first, first + count) of
// a raster `columns` wide, the lines shared among the cores: a
// full-resolution scene has tens of millions of samples, each interpolated
// on its own.
void fill_positions(const position_source& positions, std::int32_t first, std::int32_t count, std::int32_t columns,
                    float* lon, float* lat)
{
    const std::size_t width = std::size_t(columns);
    // A bordered source gives the outer edges first and last: the samples'
    // own line L and pixel P are its line L + 1 and pixel P + 1.
    const std::int32_t border = positions.bordered() ? 1 : 0;
    for_row_bands(count, columns, [&](std::int32_t from, std::int32_t to) {
        std::vector<float> lonLine(border ? width + 2 : 0);
        std::vector<float> latLine(border ? width + 2 : 0);
        for (std::int32_t i = from; i < to; ++i) {
            float* lonOut = lon + std::size_t(i) * width;
            float* latOut = lat + std::size_t(i) * width;
            if (!border) {
                positions.line(first + i, columns, lonOut, latOut);
                continue;
            }
            positions.line(first + i + 1, columns + 2, lonLine.data(), latLine.data());
            std::copy(lonLine.begin() + 1, lonLine.end() - 1, lonOut);
            std::copy(latLine.begin() + 1, latLine.end() - 1, latOut);
        }
    });
}

// The positions of each requested parameter (index, lines, pixels), of
// every line or of lines [first, first + count) alone.
py::dict swath_positions(const std::string& path, const std::vector<position_request>& requests,
                         std::optional<std::pair<std::int32_t, std::int32_t>> lines)
{
    auto info = open_product(path);
    const productType kind = info->getType();
    const product_rule* rule = find_product_rule(kind);
    if (!is_swath_kind(kind) || rule == nullptr) throw py::value_error(path + ": not a swath product");
    std::shared_ptr<shared_geolocation> shared;
    {
        py::gil_scoped_release released;
        shared = geolocation_of(*info, path, *rule);
    }
    py::list variables;
    for (const auto& [index, rows, columns] : requests) {
        const auto [first, count] = lines.value_or(std::pair{0, rows});
        if (first < 0 || count < 0 || first > rows || count > rows - first) {
            throw py::value_error(path + ": parameter " + std::to_string(index) + " has no lines "
                                  + std::to_string(first) + " to " + std::to_string(std::int64_t(first) + count) + " ("
                                  + std::to_string(rows) + " lines)");
        }
        std::unique_ptr<position_source> positions;
        {
            py::gil_scoped_release released;
            const std::lock_guard<std::mutex> lock(shared->use);
            // A part of the lines is placed by itself.
            const auto part =
                count < rows ? std::optional(row_span{std::uint32_t(first), std::uint32_t(count)}) : std::nullopt;
            positions = positions_for(shared->geo, raster_size{rows, columns}, kind, index, part);
        }
        if (!positions) {
            throw py::value_error(path + ": its geolocation does not cover parameter " + std::to_string(index) + " ("
                                  + std::to_string(rows) + " x " + std::to_string(columns) + ")");
        }
        py::array_t<float> lon({py::ssize_t(count), py::ssize_t(columns)});
        py::array_t<float> lat({py::ssize_t(count), py::ssize_t(columns)});
        float* lonData = lon.mutable_data();
        float* latData = lat.mutable_data();
        {
            py::gil_scoped_release released;
            fill_positions(*positions, first, count, columns, lonData, latData);
        }
        py::dict variable;
        variable["lon"] = lon;
        variable["lat"] = lat;
        variables.append(variable);
    }
    py::dict result;
    result["variables"] = variables;
    return result;
}

// The set of positions each of a swath product's parameters lies on, by
// the product kind alone: nothing is read but what recognises the file.
std::vector<std::string> position_sets(const std::string& path, const std::vector<std::int32_t>& indices)
{
    const auto info = open_product(path);
    std::vector<std::string> sets;
    sets.reserve(indices.size());
    for (const std::int32_t index : indices) sets.push_back(position_set_of(info->getType(), index));
    return sets;
}

// The grid and coordinate system the polar-stereographic GeoTIFF writer
// gives a radiometer L3 grid of this size; None for any other size.
py::object polar_grid(std::int32_t width, std::int32_t height)
{
    const auto grid = find_l3ps_grid(width, height);
    if (!grid) return py::none();
    // PROJ's database as the writers find it.
    gdal_session::gtiff_driver();
    OGRSpatialReference srs;
    srs.SetProjCS(grid->citation);
    srs.SetGeogCS(kL3PsGeogCitation, "Not specified (based on Hughes 1980 ellipsoid)", "Hughes 1980", kHughesSemiMajor,
                  kHughesSemiMajor / (kHughesSemiMajor - kHughesSemiMinor));
    srs.SetPS(grid->originLat, grid->poleLon, 1.0, 0.0, 0.0);
    srs.SetLinearUnits(SRS_UL_METER, 1.0);
    char* text = nullptr;
    const char* const options[] = {"FORMAT=WKT2_2019", nullptr};
    if (srs.exportToWkt(&text, options) != OGRERR_NONE || text == nullptr) {
        CPLFree(text);
        throw py::value_error("the polar-stereographic coordinate system cannot be written as WKT");
    }
    const std::string wkt = text;
    CPLFree(text);
    py::dict result;
    result["wkt"] = wkt;
    result["transform"] =
        py::make_tuple(grid->upperLeftX, grid->pixelSize, 0.0, grid->upperLeftY, 0.0, -grid->pixelSize);
    result["standard_parallel"] = grid->originLat;
    result["pole_longitude"] = grid->poleLon;
    result["semi_major_axis"] = kHughesSemiMajor;
    result["semi_minor_axis"] = kHughesSemiMinor;
    result["epsg"] = grid->projectedCs;
    return result;
}

// True when the GeoTIFF writer turns this product's grid, stored from 0
// degrees, to start at 180 degrees west: the radiometer L3 latitude/longitude
// grids and the JASMES global grid.
bool geotiff_starts_at_180_west(const std::string& path)
{
    const auto info = open_product(path);
    const productType kind = info->getType();
    if (is_radiometer_l3_grid(kind)) return info->getL3PolarStereoType() == PS_NONE;
    return is_jasmes_kind(kind) && info->getJasmesArea() == JA_GLOBAL;
}

} // namespace

void bind_swath_read(py::module_& module)
{
    module.def("swath_positions", &swath_positions, py::arg("path"), py::arg("variables"),
               py::arg("lines") = py::none(),
               "Longitudes and latitudes of the samples of a swath product's parameters (index, lines, pixels), "
               "as the GeoTIFF swath writer places them: of every line, or of lines = (first, count) alone.");
    module.def("position_sets", &position_sets, py::arg("path"), py::arg("indices"),
               "The name of the set of positions each parameter lies on (\"co-registered 6G\", \"89A\", "
               "\"tie points\", ...); parameters of one set and one shape lie on the same positions.");
    module.def("polar_grid", &polar_grid, py::arg("width"), py::arg("height"),
               "The polar-stereographic grid of a radiometer L3 grid of this size: WKT, GeoTransform and "
               "projection parameters; None for other sizes.");
    module.def("geotiff_starts_at_180_west", &geotiff_starts_at_180_west, py::arg("path"),
               "True when the GeoTIFF writer turns the product's grid, stored from 0 degrees, to start at -180.");
}

} // namespace vardane
