#include "reader/product_description.h"

#include <algorithm>
#include <cstddef>

#include "reader/hdf5/hdf5_kind_traits.h"
#include "reader/hdf5/hdf5_parameter_slot.h"

namespace vardane {

namespace {

bool has_parameter(const product_description& d, std::uint32_t idx) { return d.kind != PT_UNKNOWN && idx < d.nCount; }

} // namespace

std::uint32_t pixels_of(const product_description& d, std::uint32_t idx)
{
    return has_parameter(d, idx) && idx < d.pixels.size() ? d.pixels[idx] : 0;
}

std::uint32_t lines_of(const product_description& d, std::uint32_t idx)
{
    return has_parameter(d, idx) && idx < d.lines.size() ? d.lines[idx] : 0;
}

std::uint32_t bytes_of(const product_description& d, std::uint32_t idx)
{
    if (!has_parameter(d, idx)) return 0;
    const auto b = static_cast<std::uint32_t>(d.bytesPerSample);
    // The aerosol file: two colour composites, then 16-bit parameters.
    if (d.kind == PT_JASMES_HDR && d.nBands == 23) return idx < 2 ? 3 : 2;
    if (const auto* traits = hdf5_traits_of(d.kind)) {
        // The byte rule counts table entries: the layers of one dataset share its width.
        const auto slot = hdf5_parameter_slot(d, idx);
        return slot ? traits->byteRule.bytes(static_cast<std::uint32_t>(slot->entry), b) : 0;
    }
    return b;
}

void read_buffers::release_planes()
{
    release(byteRaster);
    release(shortRaster);
    release(floatRaster);
}

namespace {

template <class T>
bool keep_plane_rows(bulk_vector<T>& plane, dataAttr_t& shape, std::size_t rowSamples, row_span rows)
{
    const auto height = static_cast<std::uint64_t>(shape.height);
    if (rows.count == 0 || std::uint64_t(rows.first) + rows.count > height || plane.size() < height * rowSamples) {
        return false;
    }
    std::copy(plane.begin() + std::ptrdiff_t(rows.first * rowSamples),
              plane.begin() + std::ptrdiff_t((std::uint64_t(rows.first) + rows.count) * rowSamples), plane.begin());
    plane.resize(rows.count * rowSamples);
    shape.height = static_cast<std::int32_t>(rows.count);
    return true;
}

} // namespace

bool read_buffers::keep_rows(std::int32_t dtype, row_span rows)
{
    const auto width = static_cast<std::size_t>(std::max(dataAttr.width, 0));
    switch (dtype) {
    case DT_UINT8:
        return keep_plane_rows(byteRaster, dataAttr, width * static_cast<std::size_t>(std::max(dataAttr.bands, 1)),
                               rows);
    case DT_UINT16:
    case DT_INT16: return keep_plane_rows(shortRaster, dataAttr, width, rows);
    case DT_FLOAT32: return keep_plane_rows(floatRaster, dataAttr, width, rows);
    default: return false;
    }
}

} // namespace vardane
