#include "reader/gsmap/gsmap_bin_reader.h"

#include "reader/gsmap/gsmap_bin_read.h"
#include "reader/jasmes/binary_rows.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

struct gsmap_layout {
    std::uintmax_t bytes;
    std::uint32_t columns;
    std::uint32_t rows;
};

// Headerless little-endian float grids spanning 60N to 60S.
constexpr gsmap_layout kGsmapLayouts[] = {
    {17'280'000, 3600, 1200},
    {2'764'800, 1440, 480},
};

} // namespace

bool is_gsmap(const std::string& path) { return basicfname(path).rfind("gsmap_", 0) == 0; }

bool gsmap_bin_reader::identify(const std::string& path, std::uintmax_t) const { return is_gsmap(path); }

failure gsmap_bin_reader::open(const std::string& path, std::uintmax_t size, product_description& d)
{
    for (const auto& layout : kGsmapLayouts) {
        if (layout.bytes != size) continue;
        d.fileName = path;
        d.kind = PT_GSMAP_HOURLY;
        // Same kind as the HDF5 hourly product, so the same label.
        d.productLabel = "GPM_GSMaP_Hourly_L3";
        d.nBands = 1;
        d.nCount = 1;
        d.scales = {1.0};
        d.bytesPerSample = 4;
        d.pixels = {layout.columns};
        d.lines = {layout.rows};
        d.corners[corner::UL] = {60.0, -180.0};
        d.corners[corner::UR] = {60.0, 180.0};
        d.corners[corner::LL] = {-60.0, -180.0};
        d.corners[corner::LR] = {-60.0, 180.0};
        return {};
    }
    // The name says GSMaP; a size of no GSMaP grid is a cut or padded file.
    return failure(path, "size of " + std::to_string(size) + " bytes fits no GSMaP grid");
}

read_result gsmap_bin_reader::read(const product_description& d, std::uint32_t idx, read_buffers& out)
{
    out.release_planes();
    const std::uint32_t w = pixels_of(d, idx);
    const std::uint32_t h = lines_of(d, idx);
    if (w == 0 || h == 0) return read_result::refused(d.fileName, "no parameter " + std::to_string(idx));
    binary_rows file(d.fileName);
    if (!file.is_open()) return read_result::refused(d.fileName, "cannot be read");
    if (!read_gsmap_grid(file, w, h, out.floatRaster)) {
        return read_result::refused(d.fileName, "file holds fewer samples than its grid");
    }
    out.dataAttr.width = static_cast<std::int32_t>(w);
    out.dataAttr.height = static_cast<std::int32_t>(h);
    out.dataAttr.bands = 1;
    return {DT_FLOAT32, {}};
}

} // namespace vardane
