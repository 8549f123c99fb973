// Read of one parameter of a JASMES flat-binary file.
#include <algorithm>
#include <array>
#include <vector>

#include "reader/jasmes/jasmes_bin_reader.h"
#include "reader/jasmes/binary_rows.h"
#include "reader/jasmes/jasmes_convert.h"
#include "reader/jasmes/jasmes_geometry.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// One image of the file: where its planes start, their shape and the rows
// of each plane delivered.
struct plane_set {
    binary_rows& file;
    std::uintmax_t start; // first byte of plane 0
    std::uint64_t width;
    std::uint64_t height;
    std::uint32_t sampleBytes;
    std::uint64_t firstRow; // delivered rows [firstRow, firstRow + rows)
    std::uint64_t rows;

    std::uintmax_t plane_start(std::uint32_t plane) const { return start + plane * width * height * sampleBytes; }
};

// Rows read at a time: about a megabyte of the file, at least one row.
std::uint64_t rows_per_read(const plane_set& p)
{
    constexpr std::uint64_t kReadBytes = std::uint64_t(1) << 20;
    return std::clamp<std::uint64_t>(kReadBytes / std::max<std::uint64_t>(p.width * p.sampleBytes, 1), 1, p.rows);
}

// Calls take(first, rows, bytes) on every band of the delivered rows of a
// plane, in order, `first` counted from the first delivered row; false when
// a read comes short.
template <class Take>
bool for_row_reads(const plane_set& p, std::uint32_t plane, Take take)
{
    const std::uint64_t band = rows_per_read(p);
    std::vector<unsigned char> bytes;
    for (std::uint64_t r = 0; r < p.rows; r += band) {
        const std::uint64_t n = std::min(band, p.rows - r);
        if (!p.file.read_rows(p.plane_start(plane), p.firstRow + r, n, p.width, p.sampleBytes, bytes)) return false;
        take(r, n, bytes.data());
    }
    return true;
}

// Converts the delivered rows of one plane sample by sample into out (width
// values a row). Every sample is written: the plane is not cleared first.
template <class T, class Convert>
bool convert_plane(const plane_set& p, std::uint32_t plane, bulk_vector<T>& out, Convert convert)
{
    out.resize(p.width * p.rows);
    return for_row_reads(p, plane, [&](std::uint64_t first, std::uint64_t rows, const unsigned char* q) {
        T* dst = out.data() + first * p.width;
        for (std::uint64_t i = 0; i < rows * p.width; ++i) dst[i] = convert(q + i * p.sampleBytes);
    });
}

// Interleaves three planes into pixels of three bytes, channel k taken from
// planes[k] through convert(k, sample).
template <class Convert>
bool interleave_rgb(const plane_set& p, const std::array<std::uint32_t, 3>& planes, bulk_vector<std::uint8_t>& out,
                    Convert convert)
{
    out.resize(p.width * p.rows * 3);
    for (std::size_t k = 0; k < 3; ++k) {
        const bool read =
            for_row_reads(p, planes[k], [&](std::uint64_t first, std::uint64_t rows, const unsigned char* q) {
                std::uint8_t* dst = out.data() + first * p.width * 3 + k;
                for (std::uint64_t i = 0; i < rows * p.width; ++i) dst[i * 3] = convert(k, q + i * p.sampleBytes);
            });
        if (!read) return false;
    }
    return true;
}

// Aerosol file: planes of the two colour composites and of the float parameter.
constexpr std::array<std::uint32_t, 3> kAerosolRgbPlanes[] = {{9, 8, 7}, {3, 2, 1}};
constexpr std::uint32_t kAerosolFloatPlane = 2;

} // namespace

read_result jasmes_bin_reader::read(const product_description& d, std::uint32_t idx, read_buffers& out)
{
    return read_part(d, idx, std::nullopt, out);
}

read_result jasmes_bin_reader::read_rows(const product_description& d, std::uint32_t idx, row_span rows,
                                         read_buffers& out)
{
    return read_part(d, idx, rows, out);
}

read_result jasmes_bin_reader::read_part(const product_description& d, std::uint32_t idx, std::optional<row_span> rows,
                                         read_buffers& out)
{
    out.release_planes();
    const std::uint64_t w = pixels_of(d, idx);
    const std::uint64_t h = lines_of(d, idx);
    if (w == 0 || h == 0) return read_result::refused(d.fileName, "no such parameter");
    const std::uint64_t firstRow = rows ? rows->first : 0;
    const std::uint64_t count = rows ? rows->count : h;
    if (count == 0 || firstRow + count > h) return read_result::refused(d.fileName, "rows past the image's last");
    binary_rows file(d.fileName);
    if (!file.is_open()) return read_result::refused(d.fileName, "cannot be read");

    std::uintmax_t header = 0;
    if (d.kind == PT_JASMES_HDR) {
        header = d.headerSize > 0 ? static_cast<std::uintmax_t>(d.headerSize) : 0;
    } else if (d.kind != PT_JASMES_RAW) {
        return read_result::refused(d.fileName, "no JASMES flat-binary product");
    }
    if (!jasmes_grid_plausible(d)) return read_result::refused(d.fileName, "grid of its header lies off the Earth");
    const plane_set p{file, header, w, h, state_.sampleBytes, firstRow, count};
    // The size was right at recognition; the file may have changed since.
    // A compressed file's length is known only by inflating it: its reads
    // check instead.
    const auto stored = file.stored_length();
    if (p.sampleBytes == 0 || (stored && *stored < p.plane_start(state_.planes))) {
        return read_result::refused(d.fileName, "file is shorter than its planes");
    }

    const double s = idx < d.scales.size() ? d.scales[idx] : 0.0;
    const auto u8 = [](const unsigned char* q) { return static_cast<std::uint8_t>(*q); };
    bool ok = false;
    std::int32_t bands = 1;
    std::int32_t filled = DT_FLOAT32;

    if (d.bytesPerSample == -1 && d.nBands == 23) {
        if (idx < 2) {
            ok = interleave_rgb(p, kAerosolRgbPlanes[idx], out.byteRaster, [&](std::size_t k, const unsigned char* q) {
                const std::uint32_t plane = kAerosolRgbPlanes[idx][k];
                return jasmes_aerosol_channel(le_u16(q), plane < d.scales.size() ? d.scales[plane] : 0.0);
            });
            bands = 3;
            filled = DT_UINT8;
        } else {
            const double s2 = kAerosolFloatPlane < d.scales.size() ? d.scales[kAerosolFloatPlane] : 0.0;
            ok = convert_plane(p, kAerosolFloatPlane, out.floatRaster,
                               [&](const unsigned char* q) { return jasmes_aerosol_value(le_u16(q), s2); });
        }
    } else if (d.nBands == 1) {
        switch (d.bytesPerSample) {
        case 1:
            if (d.para == "wf") {
                ok = convert_plane(p, 0, out.byteRaster, u8);
                filled = DT_UINT8;
            } else if (d.para == "wst") {
                ok = convert_plane(p, 0, out.floatRaster, [](const unsigned char* q) { return jasmes_wst_value(*q); });
            } else {
                ok = convert_plane(p, 0, out.floatRaster,
                                   [&](const unsigned char* q) { return jasmes_byte_value(*q, s, d.offset); });
            }
            break;
        case 2:
        case 4: {
            const bool chla = d.bytesPerSample == 2 && trim_space(d.para) == "chla";
            ok = convert_plane(p, 0, out.floatRaster,
                               [&](const unsigned char* q) { return jasmes_word_value(le_u16(q), s, d.offset, chla); });
            break;
        }
        case 3:
            ok = interleave_rgb(p, {0, 1, 2}, out.byteRaster, [](std::size_t, const unsigned char* q) { return *q; });
            bands = 3;
            filled = DT_UINT8;
            break;
        default: break;
        }
    }
    // Any other band structure has no defined image: nothing is delivered.
    if (!ok) {
        out.release_planes();
        return read_result::refused(d.fileName, "planes cannot be read"
                                                    + (file.cause().empty() ? std::string() : ": " + file.cause()));
    }
    out.dataAttr.width = static_cast<std::int32_t>(w);
    out.dataAttr.height = static_cast<std::int32_t>(count);
    out.dataAttr.bands = bands;
    return {filled, {}};
}

} // namespace vardane
