// Read of one parameter of a JASMES flat-binary file (and of a GSMaP
// flat-binary file, which shares the plain-file path).
#include <array>

#include "reader/gsmap/gsmap_bin_read.h"
#include "reader/jasmes/binary_rows.h"
#include "reader/jasmes/jasmes_convert.h"
#include "reader/jasmes/jasmes_geometry.h"
#include "reader/spinfo.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

// One image of the file: where its planes start and their shape.
struct plane_set {
    binary_rows& file;
    std::uintmax_t start; // first byte of plane 0
    std::uint64_t width;
    std::uint64_t height;
    std::uint32_t sampleBytes;

    std::uintmax_t plane_start(std::uint32_t plane) const { return start + plane * width * height * sampleBytes; }
};

// Converts one plane sample by sample into out (width * height values).
template <class T, class Convert>
bool convert_plane(const plane_set& p, std::uint32_t plane, bulk_vector<T>& out, Convert convert)
{
    out.assign(p.width * p.height, T{});
    std::vector<unsigned char> row;
    for (std::uint64_t r = 0; r < p.height; ++r) {
        if (!p.file.read_row(p.plane_start(plane), r, p.width, p.sampleBytes, row)) return false;
        T* dst = out.data() + r * p.width;
        for (std::uint64_t c = 0; c < p.width; ++c) dst[c] = convert(row.data() + c * p.sampleBytes);
    }
    return true;
}

// Interleaves three planes into pixels of three bytes, channel k taken from
// planes[k] through convert(k, sample).
template <class Convert>
bool interleave_rgb(const plane_set& p, const std::array<std::uint32_t, 3>& planes, bulk_vector<std::uint8_t>& out,
                    Convert convert)
{
    out.assign(p.width * p.height * 3, 0);
    std::vector<unsigned char> row;
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::uint64_t r = 0; r < p.height; ++r) {
            if (!p.file.read_row(p.plane_start(planes[k]), r, p.width, p.sampleBytes, row)) return false;
            std::uint8_t* dst = out.data() + r * p.width * 3 + k;
            for (std::uint64_t c = 0; c < p.width; ++c) dst[c * 3] = convert(k, row.data() + c * p.sampleBytes);
        }
    }
    return true;
}

// Aerosol file: planes of the two colour composites and of the float parameter.
constexpr std::array<std::uint32_t, 3> kAerosolRgbPlanes[] = {{9, 8, 7}, {3, 2, 1}};
constexpr std::uint32_t kAerosolFloatPlane = 2;

} // namespace

bool spinfo::read_jasmes_bin(std::uint32_t idx, std::int32_t& dtype)
{
    dtype = DT_NONE;
    if (idx >= nCount) return false;
    release_buffers();
    binary_rows file(fileName);
    if (!file.is_open()) return false;

    const std::uint64_t w = N_pixel(idx);
    const std::uint64_t h = N_line(idx);
    if (w == 0 || h == 0) return false;

    if (isGsmapBin) {
        if (!read_gsmap_grid(file, static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h), floatRaster))
            return false;
        dataAttr.width = static_cast<std::int32_t>(w);
        dataAttr.height = static_cast<std::int32_t>(h);
        dataAttr.bands = 1;
        dtype = DT_FLOAT32;
        return true;
    }

    std::uintmax_t header = 0;
    if (kind == PT_JASMES_HDR) {
        header = jasmes.headerSize > 0 ? static_cast<std::uintmax_t>(jasmes.headerSize) : 0;
    } else if (kind != PT_JASMES_RAW) {
        return false;
    }
    if (!jasmes_grid_plausible(*this)) return false;
    const plane_set p{file, header, w, h, jasmes.sampleBytes};
    // The size was right at recognition; the file may have changed since.
    if (p.sampleBytes == 0 || file.file_size() < p.plane_start(jasmes.planes)) return false;

    const double s = idx < scales.size() ? scales[idx] : 0.0;
    const auto u8 = [](const unsigned char* q) { return static_cast<std::uint8_t>(*q); };
    bool ok = false;
    std::int32_t bands = 1;
    std::int32_t filled = DT_FLOAT32;

    if (bytesPerSample == -1 && nBands == 23) {
        if (idx < 2) {
            ok = interleave_rgb(p, kAerosolRgbPlanes[idx], byteRaster, [&](std::size_t k, const unsigned char* q) {
                const std::uint32_t plane = kAerosolRgbPlanes[idx][k];
                return jasmes_aerosol_channel(le_u16(q), plane < scales.size() ? scales[plane] : 0.0);
            });
            bands = 3;
            filled = DT_UINT8;
        } else {
            const double s2 = kAerosolFloatPlane < scales.size() ? scales[kAerosolFloatPlane] : 0.0;
            ok = convert_plane(p, kAerosolFloatPlane, floatRaster,
                               [&](const unsigned char* q) { return jasmes_aerosol_value(le_u16(q), s2); });
        }
    } else if (nBands == 1) {
        switch (bytesPerSample) {
        case 1:
            if (para == "wf") {
                ok = convert_plane(p, 0, byteRaster, u8);
                filled = DT_UINT8;
            } else if (para == "wst") {
                ok = convert_plane(p, 0, floatRaster, [](const unsigned char* q) { return jasmes_wst_value(*q); });
            } else {
                ok = convert_plane(p, 0, floatRaster,
                                   [&](const unsigned char* q) { return jasmes_byte_value(*q, s, offset); });
            }
            break;
        case 2:
        case 4: {
            const bool chla = bytesPerSample == 2 && trim_space(para) == "chla";
            ok = convert_plane(p, 0, floatRaster,
                               [&](const unsigned char* q) { return jasmes_word_value(le_u16(q), s, offset, chla); });
            break;
        }
        case 3:
            ok = interleave_rgb(p, {0, 1, 2}, byteRaster, [](std::size_t, const unsigned char* q) { return *q; });
            bands = 3;
            filled = DT_UINT8;
            break;
        default: break;
        }
    }
    // Any other band structure has no defined image: nothing is delivered.
    if (!ok) {
        release_buffers();
        return false;
    }
    dataAttr.width = static_cast<std::int32_t>(w);
    dataAttr.height = static_cast<std::int32_t>(h);
    dataAttr.bands = bands;
    dtype = filled;
    return true;
}

} // namespace vardane
