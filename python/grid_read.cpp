// vardane._vardane.read_parameter(path, index): one parameter of a product
// as the readers hand it to the writers, for the package's open_dataset.
#include <cstdint>
#include <string>
#include <utility>

#include <pybind11/numpy.h>

#include "batch/product_kind_name.h"
#include "output/gdal_session.h"
#include "python/bindings.h"
#include "python/opened_product.h"
#include "reader/product_kind.h"

namespace vardane {

namespace py = pybind11;

namespace {

// The plane of the last read as a (height, width) array of its stored type;
// the array owns a copy, so the reader's buffers may go.
template <typename Sample, typename Stored>
py::array plane_of(const Stored& plane, const dataAttr_t& shape)
{
    const auto height = static_cast<py::ssize_t>(shape.height);
    const auto width = static_cast<py::ssize_t>(shape.width);
    if (static_cast<py::ssize_t>(plane.size()) < height * width) throw py::value_error("short read");
    py::array_t<Sample> array({height, width});
    const auto* from = reinterpret_cast<const Sample*>(plane.data());
    std::copy(from, from + height * width, array.mutable_data());
    return array;
}

py::list points_of(const earthPoint_t (&points)[4])
{
    py::list list;
    for (const auto& point : points) list.append(py::make_tuple(point.lat, point.lon));
    return list;
}

py::dict read_parameter(const std::string& path, std::uint32_t index)
{
    auto info = open_product(path);
    if (index >= info->N_count())
        throw py::value_error(path + ": no parameter " + std::to_string(index) + " of "
                              + std::to_string(info->N_count()));
    productInfo_t described;
    info->get_productInfo(index, described);
    std::int32_t dtype = DT_NONE;
    bool read = false;
    {
        py::gil_scoped_release released;
        read = info->get_dataSource(index, dtype);
    }
    if (!read) {
        const failure& why = info->last_failure();
        throw py::value_error((why.file.empty() ? path : why.file) + ": " + why.cause);
    }
    const dataAttr_t& shape = info->dataAttr();
    py::array samples;
    switch (dtype) {
    case DT_UINT8: samples = plane_of<std::uint8_t>(info->byteRaster(), shape); break;
    case DT_UINT16: samples = plane_of<std::uint16_t>(info->shortRaster(), shape); break;
    case DT_INT16: samples = plane_of<std::int16_t>(info->shortRaster(), shape); break;
    case DT_FLOAT32: samples = plane_of<float>(info->floatRaster(), shape); break;
    default: throw py::value_error(path + ": parameter " + std::to_string(index) + " has samples of no known type");
    }
    py::list fills;
    for (const std::int32_t fill : stored_fill_values(info->getType())) fills.append(fill);
    py::dict result;
    result["kind"] = product_kind_name(info->getType());
    result["swath"] = is_swath_kind(info->getType());
    // A polar-stereographic grid: its corners are no latitude/longitude box.
    result["polar"] = info->getL3PolarStereoType() != PS_NONE;
    result["product"] = described.product;
    result["scale"] = described.scale;
    result["offset"] = info->getOffset();
    result["corners"] = points_of(described.corner);
    result["fill_values"] = fills;
    result["codes"] = shape.codes;
    result["samples"] = samples;
    return result;
}

} // namespace

void bind_grid_read(py::module_& module)
{
    module.def("read_parameter", &read_parameter, py::arg("path"), py::arg("index"),
               "Parameter `index` of a product: its samples as stored and what describes them.");
    module.def("wgs84_wkt", &gdal_session::wgs84_wkt,
               "The coordinate system of the latitude/longitude GeoTIFFs, as WKT.");
}

} // namespace vardane
