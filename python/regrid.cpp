// vardane._vardane.regrid(path, indices, ...): variables of a swath product
// regridded in memory by the swath GeoTIFF writer's own projector, onto one
// of the windows the command line writes or onto a window the caller gives.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "batch/product_kind_name.h"
#include "driver/product_rules.h"
#include "output/output_raster.h"
#include "output/swath/cell_walk.h"
#include "output/swath/corner_value.h"
#include "output/swath/gt_projector.h"
#include "output/swath/position_source.h"
#include "output/swath/swath_windows.h"
#include "output/swath_geolocation.h"
#include "python/bindings.h"
#include "python/geolocation_read.h"
#include "python/opened_product.h"
#include "reader/spinfo.h"
#include "util/string_utils.h"

namespace vardane {

namespace py = pybind11;

namespace {

// A window asked for by the caller: whole degrees, as the writer's windows.
struct asked_window {
    int width;
    int height;
    int west;
    int south;
    int east;
    int north;
};

// One variable on the grid.
struct layer {
    RasterKind rasterKind = RK_NONE;
    std::int32_t nodata = 0;
    double scale = 0.0;
    double offset = 0.0;
    bool codes = false;
    // The grid, one of the two by the raster kind.
    bulk_vector<std::uint8_t> bytes;
    bulk_vector<std::uint16_t> sixteen;
};

// What the work without the interpreter hands back to it.
struct regridded {
    productType kind = PT_UNKNOWN;
    view_t view;                 // width 0: no window of the asked suffix
    std::vector<view_t> windows; // the command line's windows of the product
    std::vector<layer> layers;   // in the order asked
};

// The raster kind a read of `dtype` loads as; RK_NONE for a type the swath
// writer does not take, a colour image among them.
RasterKind raster_kind_of_read(std::int32_t dtype, const dataAttr_t& attr)
{
    switch (dtype) {
    case DT_UINT16: return RK_UINT16;
    case DT_INT16: return RK_INT16;
    case DT_FLOAT32: return RK_FLOAT32;
    case DT_UINT8: return attr.bands == 1 ? RK_BYTE : RK_NONE;
    default: return RK_NONE;
    }
}

// Bytes in the four-byte cells the swath writer takes them in.
output_raster byte_raster(const std::uint8_t* from, std::int32_t width, std::int32_t height)
{
    output_raster raster;
    raster.reset(width, height);
    for (std::int32_t r = 0; r < height; ++r) {
        for (XVal_t& cell : raster.row(r)) cell.bytes[0] = *from++;
    }
    return raster;
}

// The variable's samples as the loaders give them to the swath writer:
// 16-bit and float planes taken over, bytes in four-byte cells.
output_raster load_raster(spinfo& info, std::int32_t dtype, RasterKind& kind, const std::string& path)
{
    const dataAttr_t& attr = info.dataAttr();
    if (attr.width <= 0 || attr.height <= 0) throw py::value_error(path + ": the variable has no samples");
    if (dtype == DT_UINT8 && attr.bands != 1) throw py::value_error(path + ": a colour image cannot be regridded");
    const std::size_t n = std::size_t(attr.width) * std::size_t(attr.height);
    kind = raster_kind_of_read(dtype, attr);
    output_raster raster;
    switch (kind) {
    case RK_UINT16:
    case RK_INT16:
        if (info.shortRaster().size() < n) break;
        raster.adopt(attr.width, attr.height, info.take_shortRaster());
        return raster;
    case RK_FLOAT32:
        if (info.floatRaster().size() < n) break;
        raster.adopt(attr.width, attr.height, info.take_floatRaster());
        return raster;
    case RK_BYTE:
        if (info.byteRaster().size() < n) break;
        return byte_raster(info.byteRaster().data(), attr.width, attr.height);
    default: break;
    }
    throw py::value_error(path + ": the read delivered fewer samples than the variable holds");
}

// Samples the caller gives for a variable in place of the file's: a
// Dataset's values, changed or not, as stored.
struct given_samples {
    output_raster raster;
    RasterKind kind = RK_NONE;
};

// The caller's (height, width) array as the raster the loaders would have
// made of a read of the same type.
template <typename Sample>
output_raster raster_of(const py::array& array)
{
    const auto height = static_cast<std::int32_t>(array.shape(0));
    const auto width = static_cast<std::int32_t>(array.shape(1));
    const auto samples = py::array_t<Sample, py::array::c_style | py::array::forcecast>::ensure(array);
    const Sample* from = samples.data();
    if constexpr (sizeof(Sample) == 1) {
        return byte_raster(from, width, height);
    } else {
        output_raster raster;
        using Stored = std::conditional_t<sizeof(Sample) == 2, std::uint16_t, float>;
        bulk_vector<Stored> plane(std::size_t(width) * std::size_t(height));
        std::memcpy(plane.data(), from, plane.size() * sizeof(Stored));
        raster.adopt(width, height, std::move(plane));
        return raster;
    }
}

// The raster kind of samples of a numpy type; RK_NONE for a type no
// product stores.
RasterKind raster_kind_of(const py::dtype& type)
{
    if (type.is(py::dtype::of<std::uint16_t>())) return RK_UINT16;
    if (type.is(py::dtype::of<std::int16_t>())) return RK_INT16;
    if (type.is(py::dtype::of<float>())) return RK_FLOAT32;
    if (type.is(py::dtype::of<std::uint8_t>())) return RK_BYTE;
    return RK_NONE;
}

given_samples given_from(const py::array& array, const std::string& path, std::int32_t index)
{
    const std::string which = path + ": the samples of variable " + std::to_string(index);
    if (array.ndim() != 2) throw py::value_error(which + " are not a 2-D array");
    given_samples given;
    given.kind = raster_kind_of(array.dtype());
    switch (given.kind) {
    case RK_UINT16: given.raster = raster_of<std::uint16_t>(array); break;
    case RK_INT16: given.raster = raster_of<std::int16_t>(array); break;
    case RK_FLOAT32: given.raster = raster_of<float>(array); break;
    case RK_BYTE: given.raster = raster_of<std::uint8_t>(array); break;
    default: throw py::value_error(which + " are of a type the product does not store");
    }
    return given;
}

// The sample the projector takes for no value in samples of `type`.
std::int32_t no_value_of(const py::dtype& type)
{
    const RasterKind kind = raster_kind_of(type);
    if (kind == RK_NONE || kind == RK_FLOAT32)
        throw py::value_error("no_value: no code marks a missing sample of that type");
    return swath_grid_nodata(kind);
}

// A variable read and ready to be drawn: its samples, its description and
// the layer its grid goes into.
struct read_variable {
    std::size_t slot = 0; // in the call's layers
    std::int32_t index = 0;
    output_raster raster;
    dataAttr_t attr;
};

// The variable `index` of the product `info` holds, with the writer's values,
// its layer described. With `given` samples, the file's take no part but
// their description (the valid range, whether they are codes), which a
// read of one row gives.
read_variable read_for_drawing(spinfo& info, std::mutex& reading, std::int32_t index, const std::string& path,
                               given_samples* given, layer& out)
{
    read_variable read;
    read.index = index;
    const auto parameter = static_cast<std::uint32_t>(index);
    // The product reads one variable at a time, for whichever thread.
    const std::lock_guard<std::mutex> one(reading);
    const auto locked = lock_readers();
    productInfo_t described;
    info.get_productInfo(parameter, described);
    std::int32_t dtype = DT_NONE;
    const bool done =
        given ? info.get_dataRows(parameter, row_span{0, 1}, dtype) : info.get_dataSource(parameter, dtype);
    if (!done) throw py::value_error(read_cause(info, path));
    read.attr = info.dataAttr();
    if (given) {
        if (given->kind != raster_kind_of_read(dtype, read.attr)
            || given->raster.height() != std::int32_t(info.N_line(parameter))
            || given->raster.width() != std::int32_t(info.N_pixel(parameter))) {
            throw py::value_error(path + ": the samples given for variable " + std::to_string(index)
                                  + " are not of the shape and type the file stores");
        }
        read.raster = std::move(given->raster);
        out.rasterKind = given->kind;
        read.attr.height = read.raster.height();
    } else {
        read.raster = load_raster(info, dtype, out.rasterKind, path);
    }
    info.release_buffers();
    out.scale = described.scale;
    out.offset = info.getOffset();
    out.codes = read.attr.codes;
    return read;
}

// Variables that are drawn from the same cells in one walk: of one set of
// positions, and of one raster size, raster kind and fill.
bool drawn_together(const read_variable& a, const layer& aLayer, const read_variable& b, const layer& bLayer)
{
    return a.raster.height() == b.raster.height() && a.raster.width() == b.raster.width()
           && aLayer.rasterKind == bLayer.rasterKind && aLayer.codes == bLayer.codes;
}

// Variables of one set of positions, each drawn on the view by the swath
// writer's projector with the writer's positions and values; those that
// can share a walk share it.
void project(std::vector<read_variable>& variables, std::vector<layer>& layers, shared_geolocation& geo,
             productType kind, const view_t& view, const std::string& path, unsigned threads)
{
    while (!variables.empty()) {
        std::vector<read_variable> walk;
        std::vector<read_variable> later;
        for (read_variable& v : variables) {
            if (walk.empty() || drawn_together(walk[0], layers[walk[0].slot], v, layers[v.slot])) {
                walk.push_back(std::move(v));
            } else {
                later.push_back(std::move(v));
            }
        }
        variables = std::move(later);
        const read_variable& first = walk[0];
        const layer& shape = layers[first.slot];
        // The co-registration cache in geo serves the later variables of a
        // band, in this call and the next.
        std::unique_ptr<position_source> positions;
        {
            const std::lock_guard<std::mutex> lock(geo.use);
            positions =
                positions_for(geo.geo, raster_size{first.raster.height(), first.raster.width()}, kind, first.index);
        }
        if (!positions) throw py::value_error(path + ": the product's geolocation does not place this variable");
        std::vector<gt_projector> projectors;
        std::vector<corner_value> values;
        projectors.reserve(walk.size());
        values.reserve(walk.size());
        std::vector<drawn_grid> grids;
        for (const read_variable& v : walk) {
            projectors.emplace_back(shape.rasterKind, view.width, view.height,
                                    shape.codes ? cell_fill::nearest : cell_fill::blend);
            if (!projectors.back().setView(view))
                throw py::value_error(path + ": a grid of " + std::to_string(view.width) + " x "
                                      + std::to_string(view.height) + " cannot be made");
            values.emplace_back(shape.rasterKind, v.attr);
            grids.push_back(drawn_grid{projectors.back(), v.raster, values.back()});
        }
        walk_cells_in_bands(grids, *positions, threads);
        for (std::size_t k = 0; k < walk.size(); ++k) {
            layer& out = layers[walk[k].slot];
            out.nodata = projectors[k].nodata();
            if (out.rasterKind == RK_BYTE) {
                out.bytes = projectors[k].take_samples8();
            } else {
                out.sixteen = projectors[k].take_samples16();
            }
        }
    }
}

// Variables of one set of positions, in the order asked, drawn in one walk
// a few at a time: more would hold more of the product's planes at once
// for little more gain.
std::vector<std::vector<std::size_t>> drawing_groups(productType kind, const std::vector<std::int32_t>& indices)
{
    constexpr std::size_t kMostTogether = 4;
    std::vector<std::vector<std::size_t>> groups;
    std::vector<std::string> sets;
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const std::string set = position_set_of(kind, indices[i]);
        std::size_t g = 0;
        while (g < groups.size() && (set.empty() || sets[g] != set || groups[g].size() == kMostTogether)) ++g;
        if (g == groups.size()) {
            groups.emplace_back();
            sets.push_back(set);
        }
        groups[g].push_back(i);
    }
    return groups;
}

// The variables drawn by as many threads as there are cores, up to one a
// group of variables on the same positions: each reads its next group
// while the others draw theirs. With fewer groups than cores, the cores
// left over (by the other calls under way) share out the rows of each grid.
// A failure stops the threads at their next group and is the call's.
void draw_all(spinfo& info, shared_geolocation& geo, regridded& out, const std::vector<std::int32_t>& indices,
              std::vector<std::optional<given_samples>>& given, const std::string& path)
{
    out.layers.resize(indices.size());
    const std::vector<std::vector<std::size_t>> groups = drawing_groups(out.kind, indices);
    // Calls from several Python threads share the cores rather than each
    // taking them all.
    static std::atomic<std::size_t> callsUnderWay{0};
    struct under_way {
        under_way() { ++callsUnderWay; }
        ~under_way() { --callsUnderWay; }
        under_way(const under_way&) = delete;
        under_way& operator=(const under_way&) = delete;
    } const thisCall;
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::clamp<std::size_t>(groups.size(), 1, cores);
    const auto bands = static_cast<unsigned>(std::max<std::size_t>(1, cores / (workers * callsUnderWay.load())));
    std::mutex reading;
    std::atomic<std::size_t> next{0};
    std::mutex failing;
    std::exception_ptr failure;
    const auto work = [&] {
        for (std::size_t g = next++; g < groups.size(); g = next++) {
            try {
                std::vector<read_variable> variables;
                for (const std::size_t i : groups[g]) {
                    given_samples* samples = i < given.size() && given[i] ? &*given[i] : nullptr;
                    variables.push_back(read_for_drawing(info, reading, indices[i], path, samples, out.layers[i]));
                    variables.back().slot = i;
                }
                project(variables, out.layers, geo, out.kind, out.view, path, bands);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(failing);
                if (!failure) failure = std::current_exception();
                next = groups.size();
            }
        }
    };
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < workers; ++t) helpers.emplace_back(work);
    work();
    helpers.clear(); // joined
    if (failure) std::rethrow_exception(failure);
}

regridded regrid_in_memory(spinfo& info, const std::string& path, const std::vector<std::int32_t>& indices,
                           const std::optional<asked_window>& asked, const std::string& suffix,
                           std::vector<std::optional<given_samples>>& given)
{
    regridded out;
    out.kind = info.getType();
    const product_rule* rule = find_product_rule(out.kind);
    if (!is_swath_kind(out.kind) || rule == nullptr)
        throw py::value_error(path + ": a " + product_kind_name(out.kind)
                              + " is no swath product; open_dataset reads its grid");
    for (const std::int32_t index : indices) {
        if (index < 0 || std::uint32_t(index) >= variable_count(*rule, info.N_count()))
            throw py::value_error(path + ": no variable " + std::to_string(index));
    }
    // Read once for every variable, as the driver does for a product, and
    // kept for the next call on the same file.
    const std::shared_ptr<shared_geolocation> geo = geolocation_of(info, path, *rule);
    out.windows = windows_for(geo->geo, out.kind);
    if (asked) {
        out.view = view_t{asked->width, asked->height, asked->west, asked->south, asked->east, asked->north, "grid"};
    } else {
        const auto it = std::ranges::find(out.windows, suffix, &view_t::suffix);
        if (it == out.windows.end()) return out; // the caller names the windows there are
        out.view = *it;
    }
    draw_all(info, *geo, out, indices, given, path);
    return out;
}

// A (height, width) array over the grid's memory, which it keeps alive.
template <typename Sample, typename Stored>
py::array grid_array(bulk_vector<Stored>&& grid, const view_t& view)
{
    auto* owned = new bulk_vector<Stored>(std::move(grid));
    py::capsule keeper(owned, [](void* p) { delete static_cast<bulk_vector<Stored>*>(p); });
    const py::ssize_t height = view.height;
    const py::ssize_t width = view.width;
    return py::array_t<Sample>({height, width}, {width * py::ssize_t(sizeof(Sample)), py::ssize_t(sizeof(Sample))},
                               reinterpret_cast<const Sample*>(owned->data()), keeper);
}

py::tuple bounds_of(const view_t& view)
{
    return py::make_tuple(view.lon_min, view.lat_min, view.lon_max, view.lat_max, view.width, view.height);
}

py::dict regrid(const std::string& path, const std::vector<std::int32_t>& indices, std::optional<py::tuple> grid,
                const std::string& suffix, const std::optional<py::list>& samples)
{
    // Copied while the interpreter is held: the arrays are its objects.
    std::vector<std::optional<given_samples>> given;
    if (samples) {
        if (samples->size() != indices.size()) throw py::value_error("samples: one array or None a variable");
        for (std::size_t i = 0; i < indices.size(); ++i) {
            const py::handle one = (*samples)[i];
            if (one.is_none()) {
                given.emplace_back();
            } else {
                given.emplace_back(given_from(py::array::ensure(one), path, indices[i]));
            }
        }
    }
    std::optional<asked_window> asked;
    if (grid) {
        const auto t = *grid;
        if (t.size() != 6) throw py::value_error("grid: (west, south, east, north, width, height)");
        asked = asked_window{t[4].cast<int>(), t[5].cast<int>(), t[0].cast<int>(),
                             t[1].cast<int>(), t[2].cast<int>(), t[3].cast<int>()};
    }
    // Recognised as the module recognises every file (it lets the GIL go
    // itself); then reading and regridding touch no Python object, and
    // other threads run.
    const auto info = open_product(path);
    regridded done;
    {
        py::gil_scoped_release released;
        done = regrid_in_memory(*info, path, indices, asked, suffix, given);
    }
    py::dict result;
    result["kind"] = product_kind_name(done.kind);
    py::list windows;
    for (const view_t& w : done.windows) windows.append(py::make_tuple(w.suffix, bounds_of(w)));
    result["windows"] = windows;
    if (done.view.width == 0) return result; // no window of that suffix
    result["bounds"] = bounds_of(done.view);
    result["suffix"] = done.view.suffix;
    py::list layers;
    for (layer& one : done.layers) {
        py::dict d;
        d["nodata"] = one.nodata;
        d["scale"] = one.scale;
        d["offset"] = one.offset;
        d["codes"] = one.codes;
        switch (one.rasterKind) {
        case RK_BYTE: d["samples"] = grid_array<std::uint8_t>(std::move(one.bytes), done.view); break;
        case RK_INT16: d["samples"] = grid_array<std::int16_t>(std::move(one.sixteen), done.view); break;
        default: d["samples"] = grid_array<std::uint16_t>(std::move(one.sixteen), done.view); break;
        }
        layers.append(d);
    }
    result["layers"] = layers;
    return result;
}

} // namespace

void bind_regrid(py::module_& module)
{
    module.def("regrid", &regrid, py::arg("path"), py::arg("indices"), py::arg("grid") = py::none(),
               py::arg("suffix") = std::string(), py::arg("samples") = py::none(),
               "Variables `indices` of a swath product regridded as the swath GeoTIFF writer does: onto the "
               "command line's window of `suffix`, or onto grid = (west, south, east, north, width, height); "
               "`samples`, one array (as stored) or None a variable, in place of the file's.");
    module.def("regrid_no_value", &no_value_of, py::arg("dtype"),
               "The sample that regrid takes, and gives, for no value in samples of an integer `dtype`.");
}

} // namespace vardane
