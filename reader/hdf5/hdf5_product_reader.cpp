#include <H5Cpp.h>

#include <limits>
#include <mutex>
#include <new>

#include "reader/hdf5/h5_attribute_values.h"
#include "reader/hdf5/h5_band_read.h"
#include "reader/hdf5/h5_dataset_shape.h"
#include "reader/hdf5/h5_file_access.h"
#include "reader/hdf5/h5_plane_read.h"
#include "reader/hdf5/hdf5_corner_points.h"
#include "reader/hdf5/hdf5_dataset_tables.h"
#include "reader/hdf5/hdf5_global_attributes.h"
#include "reader/hdf5/hdf5_kind_decision.h"
#include "reader/hdf5/hdf5_kind_traits.h"
#include "reader/hdf5/hdf5_parameter_plane.h"
#include "reader/hdf5/hdf5_parameter_slot.h"
#include "reader/hdf5/hdf5_table_dataset.h"
#include "reader/hdf5/hdf5_reader.h"

namespace vardane {

namespace {

// Real products have a handful of layers; a file claiming more is refused
// before per-layer vectors are built.
constexpr std::uint64_t kMaxLayers = 4096;

struct entry_shape {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint64_t layers = 0;
};

entry_shape shape_of(h5_shape_rule rule, const h5_extents& e)
{
    const auto& d = e.d;
    switch (rule) {
    case h5_shape_rule::rows_cols: return {d[1], d[0], 0};
    case h5_shape_rule::rows_cols_layers: return {d[1], d[0], d[2]};
    case h5_shape_rule::cols_rows: return {d[0], d[1], 0};
    case h5_shape_rule::layered_grid:
        if (e.rank == 3) return {d[1], d[2], d[0]};
        return {d[2], d[3], d[0] * d[1]};
    }
    return {};
}

bool rank_accepted(productType kind, const hdfParam_t& entry, int rank)
{
    return rank == entry.rank || (kind == PT_DPR_DAILY && rank == 3);
}

std::optional<h5_sample> stored_sample(hid_t type)
{
    for (const auto s : {h5_sample::float32, h5_sample::int16, h5_sample::uint16, h5_sample::uint8}) {
        if (h5_type_is(type, s)) return s;
    }
    return std::nullopt;
}

// Bytes per sample of the buffer a stored type is delivered in.
std::uint32_t delivered_bytes(h5_sample s)
{
    switch (s) {
    case h5_sample::float32: return 4;
    case h5_sample::int16:
    case h5_sample::uint16: return 2;
    case h5_sample::uint8: return 1;
    }
    return 0;
}

// True when a plane is the samples of its read, row after row.
bool laid_out_as_read(const h5_plane& p, std::size_t samples)
{
    return p.base == 0 && p.colStep == 1 && p.rowStep == static_cast<std::int64_t>(p.cols)
           && p.rows * p.cols == samples;
}

// Reads a plane into `out` (rows of plane.cols samples, `stride` buffer
// samples apart), each sample through convert. A transposed grid is read in
// bands straight into `out`; when the plane is the read itself, the read's
// buffer becomes `out`, converted in place; otherwise the plane is copied
// out of the read. `fill` clears `out` first, for a stride that leaves
// samples unwritten.
template <class T, class Convert>
bool deliver_plane(const h5_plane_source& source, h5_plane plane, std::size_t stride, bool fill, bulk_vector<T>& out,
                   Convert convert)
{
    // A grid stored transposed goes straight into `out`, band by band.
    if (const auto bands = stride == 1 ? h5_band_layout(plane, source.rank, source.d, sizeof(T)) : std::nullopt) {
        // Nothing is allocated for a dataset its file cannot hold.
        if (!h5_plane_readable(source, plane, sizeof(T))) return false;
        try {
            out.resize(std::size_t(plane.rows) * std::size_t(plane.cols));
        } catch (const std::bad_alloc&) {
            return false;
        }
        const std::size_t outRow = std::size_t(plane.cols);
        const bool read = h5_read_bands<T>(source, plane, *bands,
                                           [&](const T* samples, const h5_plane& part, std::uint64_t firstCol) {
                                               copy_plane(samples, part, out.data() + firstCol, 1, convert, outRow);
                                           });
        if (!read) release(out);
        return read;
    }
    bulk_vector<T> in;
    if (!h5_read_plane(source, plane, in)) return false;
    if (stride == 1 && !fill && laid_out_as_read(plane, in.size())) {
        for (T& v : in) v = convert(v);
        out = std::move(in);
        return true;
    }
    const std::size_t n = std::size_t(plane.rows) * std::size_t(plane.cols) * stride;
    if (fill) {
        out.assign(n, T{});
    } else {
        out.resize(n);
    }
    copy_plane(in.data(), plane, out.data(), stride, convert);
    return true;
}

// Samples delivered as stored. A function object, not a function: through
// a function pointer every sample of a plane would be a call.
struct unchanged {
    template <class T>
    T operator()(T v) const
    {
        return v;
    }
};

} // namespace

hdf5_reader::hdf5_reader()
{
    // The C++ layer of the library prints every exception it makes unless
    // told once per process not to; this reader reports through failures.
    static std::once_flag silenced;
    std::call_once(silenced, [] { H5::Exception::dontPrint(); });
}

bool hdf5_reader::identify(const std::string& path, std::uintmax_t) const
{
    const h5_error_stack_guard errors;
    try {
        return H5::H5File::isHdf5(path.c_str());
    } catch (const H5::Exception&) {
        return false;
    }
}

namespace {

// Checks every dataset of the kind's table and records the parameters'
// shapes and scales. Says why the file cannot be this product (a dataset
// missing, of another type or rank, of an implausible size, a grid of no
// known size); "" when it can. A missing SGLI dataset throws.
// The unit a dataset states: each family of products names the attribute
// its own way. "" when it states none.
std::string unit_text(hid_t dataset)
{
    for (const char* name : {"UNIT", "Unit", "Units", "units"}) {
        if (H5Aexists(dataset, name) > 0) return h5_string_attribute(dataset, name).value_or("");
    }
    return {};
}

std::string describe_parameters(hid_t file, const hdf5_kind_traits& traits, const std::vector<hdfParam_t>& table,
                                product_description& d)
{
    d.nBands = static_cast<std::int32_t>(table.size());
    d.nCount = static_cast<std::uint32_t>(table.size());
    entry_shape first;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const hdfParam_t& entry = table[i];
        // Only a refusal spends a string on the dataset's name.
        const auto named = [&entry] { return "dataset \"" + entry.name + "\" "; };
        const h5_dataset ds = open_table_dataset(file, entry.name, traits.sgli);
        if (!ds) return named() + "cannot be opened";
        const h5_type type(H5Dget_type(ds.get()));
        if (!h5_type_is(type.get(), entry.h5type)) return named() + "has another sample type";
        const auto extents = h5_dataset_extents(ds.get());
        if (!extents) return named() + "has no readable shape";
        if (!rank_accepted(d.kind, entry, extents->rank) || extents->rank < 2) {
            return named() + "has " + std::to_string(extents->rank) + " dimensions, " + std::to_string(entry.rank)
                   + " expected";
        }
        // An empty, overflowing or implausibly large array fails the file.
        const auto elements = extents->elements();
        if (!elements || !h5_raw_size_plausible(file, ds.get(), *elements, H5Tget_size(type.get()))) {
            return named() + "has extents the file cannot hold";
        }
        const entry_shape shape = shape_of(traits.shape, *extents);
        if (shape.width > std::numeric_limits<std::uint32_t>::max()
            || shape.height > std::numeric_limits<std::uint32_t>::max()) {
            return named() + "is too large";
        }
        d.pixels.push_back(static_cast<std::uint32_t>(shape.width));
        d.lines.push_back(static_cast<std::uint32_t>(shape.height));
        if (i == 0) {
            first = shape;
            if (traits.l3Grid) {
                const auto grid = classify_l3_grid(shape.width, shape.height);
                if (!grid) {
                    return named() + "is a grid of " + std::to_string(shape.width) + " x "
                           + std::to_string(shape.height) + " cells, none of the known L3 grids";
                }
                d.l3PsType = *grid;
            }
        }
        d.scales.push_back(h5_float_attribute(ds.get(), "SCALE FACTOR").value_or(1.0f));
        d.units.push_back(unit_text(ds.get()));
    }
    if (traits.parameters == h5_parameter_rule::entries) return {};
    // The first dataset's layers are parameters of their own; entries after
    // it keep theirs.
    if (first.layers < 1 || first.layers > kMaxLayers) {
        return "dataset \"" + table.front().name + "\" has " + std::to_string(first.layers) + " layers";
    }
    const auto layers = static_cast<std::uint32_t>(first.layers);
    const std::size_t tail = traits.parameters == h5_parameter_rule::layers_then_entries ? table.size() - 1 : 0;
    d.pixels.erase(d.pixels.begin(), d.pixels.end() - static_cast<std::ptrdiff_t>(tail));
    d.lines.erase(d.lines.begin(), d.lines.end() - static_cast<std::ptrdiff_t>(tail));
    d.pixels.insert(d.pixels.begin(), layers, static_cast<std::uint32_t>(first.width));
    d.lines.insert(d.lines.begin(), layers, static_cast<std::uint32_t>(first.height));
    d.nCount = static_cast<std::uint32_t>(d.pixels.size());
    d.nBands = static_cast<std::int32_t>(d.nCount);
    return {};
}

} // namespace

namespace {

failure open_file(const std::string& path, product_description& d)
{
    d.fileName = path;

    const h5_error_stack_guard errors;
    const h5_file file = h5_open_readonly(path);
    // The signature is there, so a file that does not open was meant to be
    // an HDF5 product.
    if (!file) {
        const std::string why = h5_error_text();
        return failure(path, "HDF5 file cannot be opened" + (why.empty() ? std::string() : ": " + why));
    }
    read_global_attributes(file.get(), d.attributes, d.unreadableAttributes);

    const hdf5_kind_decision decision = decide_hdf5_kind(file.get(), d);
    d.kind = decision.kind;
    d.geoName = geophysical_code(d.attributes["GeophysicalName"]);
    d.granule = d.attributes["GranuleID"];

    // Once the file's own attributes have named the product, whatever does
    // not fit is that product's damage, not a sign of a stranger.
    const auto refuse = [&](const std::string& why) {
        d.kind = PT_UNKNOWN;
        d.nCount = 0;
        d.nBands = 0;
        return why.empty() ? failure{} : failure(path, why);
    };
    if (!decision.damage.empty()) return refuse(decision.damage);
    const hdf5_kind_traits* traits = hdf5_traits_of(d.kind);
    const std::vector<hdfParam_t>* table = hdf5_table_of(d.kind);
    if (!traits || !table || table->empty()) return refuse({});
    if (const std::string why = describe_parameters(file.get(), *traits, *table, d); !why.empty()) return refuse(why);
    d.bytesPerSample = traits->bytesPerSample;

    if (traits->corners == h5_corner_source::fixed) {
        fixed_corners(d.kind, d.l3PsType, d.corners);
    } else if (!read_swath_corners(file.get(), traits->corners, d.corners, d.cornersB)) {
        // The kind stands; the corners stay cleared and the label unset.
        return {};
    }
    if (traits->label) d.productLabel = traits->label;
    return {};
}

} // namespace

failure hdf5_reader::open(const std::string& path, std::uintmax_t, product_description& d)
{
    // The library's C++ exceptions derive from nothing standard: they are
    // turned into the file's failure here, in the library's words.
    layers_.clear();
    try {
        return open_file(path, d);
    } catch (const H5::Exception& e) {
        return failure(path, e.getDetailMsg());
    }
}

namespace {

// Reads parameter idx, or only its rows `rows`, into out; dtype names the
// plane filled. False when the file no longer holds what open() found or
// the rows are not all in the parameter.
bool read_parameter(const product_description& d, std::uint32_t idx, std::optional<row_span> rows, read_buffers& out,
                    h5_layer_store& layers, std::int32_t& dtype)
{
    dtype = DT_NONE;
    if (idx >= d.nCount) return false;
    out.release_planes();

    const hdf5_kind_traits* traits = hdf5_traits_of(d.kind);
    const std::vector<hdfParam_t>* table = hdf5_table_of(d.kind);
    const auto slot = hdf5_parameter_slot(d, idx);
    if (!traits || !table || !slot) return false;
    const hdfParam_t& entry = (*table)[slot->entry];

    const h5_file file = h5_open_readonly(d.fileName);
    if (!file) return false;
    const h5_dataset ds = open_table_dataset(file.get(), entry.name, traits->sgli);
    if (!ds) return false;

    const float scale = h5_float_attribute(ds.get(), "SCALE FACTOR").value_or(1.0f);
    out.dataAttr.mask = 0;
    out.dataAttr.codes = holds_codes(entry.name);
    if (const auto mask = h5_uint16_attribute(ds.get(), "Mask")) {
        // Without a valid-DN range the mask applies to every value.
        out.dataAttr.mask = *mask;
        out.dataAttr.minValidDN = h5_uint16_attribute(ds.get(), "Minimum_valid_DN").value_or(0);
        out.dataAttr.maxValidDN = h5_uint16_attribute(ds.get(), "Maximum_valid_DN").value_or(0xFFFF);
    }

    // The file may have changed since recognition: its extents are checked
    // again before they index or divide anything.
    const auto extents = h5_dataset_extents(ds.get());
    if (!extents || !rank_accepted(d.kind, entry, extents->rank) || extents->rank < 2 || extents->rank > 4
        || !extents->elements()) {
        return false;
    }
    std::array<std::uint64_t, 4> dims{1, 1, 1, 1};
    for (int i = 0; i < extents->rank; ++i) dims[static_cast<std::size_t>(i)] = extents->d[static_cast<std::size_t>(i)];

    const h5_type type(H5Dget_type(ds.get()));
    const auto stored = stored_sample(type.get());
    if (!stored) return false;
    auto plane = parameter_plane(d.kind, *stored, slot->layer, extents->rank, dims);

    const std::uint32_t width = pixels_of(d, idx);
    const std::uint32_t height = lines_of(d, idx);
    const std::uint32_t b = bytes_of(d, idx);
    // The delivered plane must be exactly the shape recorded by the
    // initialisation, and its buffer the one the stored type fills.
    if (!plane || plane->cols != width || plane->rows != height || delivered_bytes(*stored) != (b == 3 ? 1 : b)) {
        return false;
    }
    if (rows) {
        // A part is the plane's rows from its first: only the stored
        // samples they lie in are read.
        if (std::uint64_t(rows->first) + rows->count > height || rows->count == 0) return false;
        plane->base += std::int64_t(rows->first) * plane->rowStep;
        plane->rows = rows->count;
    }
    out.dataAttr.width = static_cast<std::int32_t>(width);
    out.dataAttr.height = static_cast<std::int32_t>(plane->rows);
    out.dataAttr.bands = b == 3 ? 3 : 1;

    // Only the samples of the plane are read; the plane then indexes them.
    layers.use_for(d.fileName, entry.name);
    h5_plane_source source{file.get(), ds.get(), H5T_NATIVE_FLOAT, extents->rank, dims, &layers};
    bool ok = false;
    switch (*stored) {
    case h5_sample::float32:
        ok = deliver_plane(source, *plane, 1, false, out.floatRaster, [scale](float v) { return v * scale; });
        dtype = DT_FLOAT32;
        break;
    case h5_sample::int16:
        // Read as 16 bits into the unsigned buffer: the bits are the
        // signed samples', as the contract wants them.
        source.memType = H5T_NATIVE_SHORT;
        ok = deliver_plane(source, *plane, 1, false, out.shortRaster, unchanged{});
        dtype = DT_INT16;
        break;
    case h5_sample::uint16:
        source.memType = H5T_NATIVE_USHORT;
        ok = deliver_plane(source, *plane, 1, false, out.shortRaster, unchanged{});
        dtype = DT_UINT16;
        break;
    case h5_sample::uint8: {
        source.memType = H5T_NATIVE_UCHAR;
        const auto bands = static_cast<std::size_t>(out.dataAttr.bands);
        ok = deliver_plane(source, *plane, bands, true, out.byteRaster, unchanged{});
        dtype = DT_UINT8;
        break;
    }
    }
    if (!ok) dtype = DT_NONE;
    return ok;
}

} // namespace

read_result hdf5_reader::read(const product_description& d, std::uint32_t idx, read_buffers& out)
{
    return read_part(d, idx, std::nullopt, out);
}

read_result hdf5_reader::read_rows(const product_description& d, std::uint32_t idx, row_span rows, read_buffers& out)
{
    return read_part(d, idx, rows, out);
}

read_result hdf5_reader::read_part(const product_description& d, std::uint32_t idx, std::optional<row_span> rows,
                                   read_buffers& out)
{
    const h5_error_stack_guard errors;
    read_result result;
    try {
        if (read_parameter(d, idx, rows, out, layers_, result.dtype)) return result;
    } catch (const H5::Exception& e) {
        out.release_planes();
        return read_result::refused(d.fileName, e.getDetailMsg());
    }
    // The library's own words where it refused; the stack goes with `errors`.
    const std::string why = h5_error_text();
    result.why = failure(d.fileName, why.empty() ? "parameter " + std::to_string(idx) + " cannot be read" : why);
    return result;
}

} // namespace vardane
