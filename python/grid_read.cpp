// vardane._vardane.read_parameter(path, index): one parameter of a product
// as the readers hand it to the writers, for the package's open_dataset;
// read_rows(path, index, first, count): some of its rows, and
// describe_parameter(path, index): what describes it without its samples,
// for the lazy arrays of the xarray backend.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <pybind11/numpy.h>

#include "batch/product_kind_name.h"
#include "output/gdal_session.h"
#include "python/bindings.h"
#include "python/opened_product.h"
#include "python/parameter_units.h"
#include "reader/hdf5/hdf5_dataset_tables.h"
#include "reader/jasmes/jasmes_convert.h"
#include "reader/product_kind.h"

namespace vardane {

namespace py = pybind11;

namespace {

// Each row of a plane of `shape` turned in place by half its columns,
// rounded up: column c then holds stored column c + ceil(width / 2), as the
// GeoTIFF writer turns a global grid stored from 0 degrees to start at 180
// degrees west. In place, because a turned copy of a global grid costs as
// much fresh memory as the read. A plane short of its shape is left as it
// is, for plane_of to refuse.
template <typename Stored>
void turn_rows(bulk_vector<Stored>& plane, const dataAttr_t& shape)
{
    const auto bands = static_cast<std::size_t>(std::max(shape.bands, 1));
    const std::size_t row = static_cast<std::size_t>(shape.width) * bands;
    const std::size_t shift = static_cast<std::size_t>(shape.width + 1) / 2 * bands;
    const auto rows = static_cast<std::size_t>(shape.height);
    if (plane.size() < rows * row) return;
    std::vector<Stored> head(shift);
    for (std::size_t r = 0; r < rows; ++r) {
        Stored* line = plane.data() + r * row;
        std::copy_n(line, shift, head.begin());
        std::copy(line + shift, line + row, line);
        std::copy(head.begin(), head.end(), line + (row - shift));
    }
}

// The plane of the last read as a (height, width) array of its stored type,
// (height, width, bands) for a colour image: the array takes the reader's
// buffer over, which the array then keeps alive.
template <typename Sample, typename Stored>
py::array plane_of(bulk_vector<Stored>&& plane, const dataAttr_t& shape)
{
    std::vector<py::ssize_t> extents{shape.height, shape.width};
    if (shape.bands > 1) extents.push_back(shape.bands);
    py::ssize_t samples = 1;
    for (const py::ssize_t e : extents) samples *= e;
    if (static_cast<py::ssize_t>(plane.size()) < samples) throw py::value_error("short read");
    auto* owned = new bulk_vector<Stored>(std::move(plane));
    const py::capsule keeper(owned, [](void* p) { delete static_cast<bulk_vector<Stored>*>(p); });
    return py::array_t<Sample>(extents, reinterpret_cast<const Sample*>(owned->data()), keeper);
}

py::list points_of(const earthPoint_t (&points)[4])
{
    py::list list;
    for (const auto& point : points) list.append(py::make_tuple(point.lat, point.lon));
    return list;
}

const char* dtype_name(std::int32_t dtype)
{
    switch (dtype) {
    case DT_UINT8: return "uint8";
    case DT_UINT16: return "uint16";
    case DT_INT16: return "int16";
    case DT_FLOAT32: return "float32";
    default: return "";
    }
}

// The sample type a read of parameter `index` delivers, told from what the
// recognition found. The readers settle it only as they read; this follows
// their rules (float samples are final values, colour composites and flag
// bytes stay bytes, HDF5 16-bit samples keep the stored signedness), and
// the lazy arrays check every read against it.
std::int32_t delivered_type(const spinfo& info, std::uint32_t index)
{
    const productType kind = info.getType();
    const std::uint32_t bytes = info.N_byte(index);
    if (bytes == 4) return DT_FLOAT32;
    if (bytes == 3) return DT_UINT8;
    // The JASMES flat-binary planes are scaled to floats as they are read,
    // but for the water-flag bytes.
    if (kind == PT_JASMES_RAW || kind == PT_JASMES_HDR)
        return bytes == 1 && info.getPara() == "wf" ? DT_UINT8 : DT_FLOAT32;
    if (bytes == 1) return DT_UINT8;
    if (bytes != 2) return DT_NONE;
    // A kind's 16-bit datasets share one signedness.
    if (const auto* table = hdf5_table_of(kind)) {
        for (const auto& entry : *table) {
            if (entry.h5type == h5_sample::int16) return DT_INT16;
            if (entry.h5type == h5_sample::uint16) return DT_UINT16;
        }
    }
    return DT_NONE;
}

// The product `path` opened, with parameter `index` checked to exist.
opened_product open_parameter(const std::string& path, std::uint32_t index)
{
    auto info = open_product(path);
    if (index >= info->N_count())
        throw py::value_error(path + ": no parameter " + std::to_string(index) + " of "
                              + std::to_string(info->N_count()));
    return info;
}

// What describes parameter `index` before any sample is read.
py::dict description_of(const spinfo& info, std::uint32_t index)
{
    productInfo_t described;
    info.get_productInfo(index, described);
    py::list fills;
    for (const std::int32_t fill : stored_fill_values(info.getType())) fills.append(fill);
    // The JASMES flat images are scaled to values as they are read, a
    // missing sample to a value of its own.
    if (info.getType() == PT_JASMES_RAW || info.getType() == PT_JASMES_HDR) fills.append(kJasmesMissing);
    py::dict result;
    result["kind"] = product_kind_name(info.getType());
    result["swath"] = is_swath_kind(info.getType());
    // A polar-stereographic grid: its corners are no latitude/longitude box.
    result["polar"] = info.getL3PolarStereoType() != PS_NONE;
    result["product"] = described.product;
    result["scale"] = described.scale;
    result["units"] = cf_units(info, index);
    result["offset"] = info.getOffset();
    result["corners"] = points_of(described.corner);
    result["fill_values"] = fills;
    return result;
}

py::dict describe_parameter(const std::string& path, std::uint32_t index)
{
    const auto info = open_parameter(path, index);
    py::dict result = description_of(*info, index);
    // A colour image holds three bytes a sample.
    result["shape"] = info->N_byte(index) == 3 ? py::make_tuple(info->N_line(index), info->N_pixel(index), 3)
                                               : py::make_tuple(info->N_line(index), info->N_pixel(index));
    result["dtype"] = dtype_name(delivered_type(*info, index));
    // Whether read_rows reads only its rows from the file, or the whole
    // parameter to keep them.
    result["reads_row_parts"] = info->reads_row_parts();
    return result;
}

// Parameter `index` of `path`, whole or only its rows `rows`, its rows
// turned when `turned`.
py::dict read_part(const std::string& path, std::uint32_t index, std::optional<row_span> rows, bool turned)
{
    const auto info = open_parameter(path, index);
    py::dict result = description_of(*info, index);
    std::int32_t dtype = DT_NONE;
    bool read = false;
    // The planes a read may fill, taken over; the one of `dtype` holds it.
    bulk_vector<std::uint8_t> bytes;
    bulk_vector<std::uint16_t> shorts;
    bulk_vector<float> floats;
    {
        py::gil_scoped_release released;
        const auto locked = lock_readers();
        read = rows ? info->get_dataRows(index, *rows, dtype) : info->get_dataSource(index, dtype);
        if (read) {
            bytes = info->take_byteRaster();
            shorts = info->take_shortRaster();
            floats = info->take_floatRaster();
            // Turned by the thread that read, other Python threads running.
            if (turned) {
                const dataAttr_t& shape = info->dataAttr();
                if (dtype == DT_UINT8) turn_rows(bytes, shape);
                if (dtype == DT_UINT16 || dtype == DT_INT16) turn_rows(shorts, shape);
                if (dtype == DT_FLOAT32) turn_rows(floats, shape);
            }
        }
    }
    if (!read) throw py::value_error(read_cause(*info, path));
    const dataAttr_t& shape = info->dataAttr();
    py::array samples;
    switch (dtype) {
    case DT_UINT8: samples = plane_of<std::uint8_t>(std::move(bytes), shape); break;
    case DT_UINT16: samples = plane_of<std::uint16_t>(std::move(shorts), shape); break;
    case DT_INT16: samples = plane_of<std::int16_t>(std::move(shorts), shape); break;
    case DT_FLOAT32: samples = plane_of<float>(std::move(floats), shape); break;
    default: throw py::value_error(path + ": parameter " + std::to_string(index) + " has samples of no known type");
    }
    result["codes"] = shape.codes;
    result["samples"] = samples;
    return result;
}

py::dict read_parameter(const std::string& path, std::uint32_t index, bool turned)
{
    return read_part(path, index, std::nullopt, turned);
}

py::dict read_rows(const std::string& path, std::uint32_t index, std::uint32_t first, std::uint32_t count, bool turned)
{
    return read_part(path, index, row_span{first, count}, turned);
}

} // namespace

void bind_grid_read(py::module_& module)
{
    module.def("read_parameter", &read_parameter, py::arg("path"), py::arg("index"), py::arg("turned") = false,
               "Parameter `index` of a product: its samples as stored and what describes them; with turned, "
               "each row turned by half its columns (rounded up), as the GeoTIFF writer turns a global grid "
               "stored from 0 degrees.");
    module.def("read_rows", &read_rows, py::arg("path"), py::arg("index"), py::arg("first"), py::arg("count"),
               py::arg("turned") = false,
               "Rows [first, first + count) of parameter `index` of a product, as read_parameter gives them.");
    module.def("describe_parameter", &describe_parameter, py::arg("path"), py::arg("index"),
               "What describes parameter `index` of a product, its shape and sample type, reading no sample.");
    module.def("wgs84_wkt", &gdal_session::wgs84_wkt,
               "The coordinate system of the latitude/longitude GeoTIFFs, as WKT.");
}

} // namespace vardane
