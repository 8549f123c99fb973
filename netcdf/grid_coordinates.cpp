// Latitude and longitude of the radiometer L3 grids, which carry none.
#include <netcdf.h>

#include <algorithm>
#include <cmath>

#include "netcdf/catalogue_attributes.h"
#include "netcdf/latlon_grid.h"
#include "netcdf/nc_converter.h"
#include "netcdf/nc_file.h"
#include "netcdf/polar_grids.h"
#include "netcdf/polar_table_reader.h"

namespace vardane {

namespace {

constexpr const char* kLine = "line";
constexpr const char* kPixel = "pixel";

// Hundredths of a degree, truncated toward zero like every stored value.
short hundredths(double degrees) { return static_cast<short>(std::trunc(degrees * 100.0)); }

} // namespace

bool nc_converter::put_grid_variable(nc_file& file, const char* name, const char* longName, const char* units,
                                     const std::vector<short>& values)
{
    const dimmap_t* line = dims_.find(kLine);
    const dimmap_t* pixel = dims_.find(kPixel);
    const int dimIds[2] = {line->id, pixel->id};
    int varId = -1;
    if (!file.define_mode()) return false;
    if (!file.check(nc_def_var(file.id(), name, NC_SHORT, 2, dimIds, &varId),
                    std::string("cannot define variable ") + name)) {
        return false;
    }
    if (!put_text(file, varId, "long_name", longName) || !put_float(file, varId, "scale_factor", 0.01f)
        || !put_text(file, varId, "units", units) || !file.data_mode()) {
        return false;
    }
    return file.check(nc_put_var_short(file.id(), varId, values.data()), std::string("cannot write variable ") + name);
}

namespace {

// The grid's size from its datasets; false when they named no grid.
bool grid_size(nc_file& file, const nc_dimensions& dims, std::size_t& lines, std::size_t& pixels)
{
    const dimmap_t* line = dims.find(kLine);
    const dimmap_t* pixel = dims.find(kPixel);
    if (!line || !pixel) return file.fail("The L3 product has no line and pixel dimensions.");
    lines = static_cast<std::size_t>(line->length);
    pixels = static_cast<std::size_t>(pixel->length);
    return true;
}

} // namespace

std::vector<short> latlon_grid_latitudes(std::size_t lines, std::size_t pixels)
{
    std::vector<short> values(lines * pixels);
    for (std::size_t l = 0; l < lines; ++l) {
        const short lat = hundredths(90.0 - 180.0 / static_cast<double>(lines) * static_cast<double>(l));
        std::fill_n(values.begin() + static_cast<std::ptrdiff_t>(l * pixels), pixels, lat);
    }
    return values;
}

std::vector<short> latlon_grid_longitudes(std::size_t lines, std::size_t pixels)
{
    std::vector<short> values(lines * pixels);
    for (std::size_t p = 0; p < pixels; ++p) {
        double x = 360.0 / static_cast<double>(pixels) * static_cast<double>(p);
        if (x > 180.0) x -= 360.0;
        const short lon = hundredths(x);
        for (std::size_t l = 0; l < lines; ++l) values[l * pixels + p] = lon;
    }
    return values;
}

bool nc_converter::gcom_l3_lonlat(nc_file& file)
{
    std::size_t lines = 0, pixels = 0;
    if (!grid_size(file, dims_, lines, pixels)) return false;
    return put_grid_variable(file, "lat", "Latitude", "degrees_north", latlon_grid_latitudes(lines, pixels))
           && put_grid_variable(file, "lon", "Longitude", "degrees_east", latlon_grid_longitudes(lines, pixels));
}

bool nc_converter::gcom_l3_polar_lonlat(nc_file& file)
{
    std::size_t lines = 0, pixels = 0;
    if (!grid_size(file, dims_, lines, pixels)) return false;
    if (!locate_) return file.fail("No data folder for the polar coordinate tables.");
    const polar_grid& grid = polar_grid_of_lines(lines);
    std::vector<short> values;
    std::string error;
    if (!read_polar_table(locate_(grid.latTable), lines, pixels, values, error)) return file.fail(error);
    if (!put_grid_variable(file, "lat", "Latitude", "degrees_north", values)) return false;
    if (!read_polar_table(locate_(grid.lonTable), lines, pixels, values, error)) return file.fail(error);
    return put_grid_variable(file, "lon", "Longitude", "degrees_east", values);
}

} // namespace vardane
