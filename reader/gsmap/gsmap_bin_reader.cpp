#include "reader/gsmap/gsmap_bin_reader.h"

#include <optional>

#include "reader/flat_source.h"
#include "reader/gsmap/gsmap_bin_read.h"
#include "reader/jasmes/binary_rows.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

struct gsmap_layout {
    std::uint64_t bytes;
    std::uint32_t columns;
    std::uint32_t rows;
    std::uint32_t grids; // grids stored one after the other; the first is the precipitation
};

// Headerless little-endian float grids spanning 60N to 60S.
constexpr gsmap_layout kGsmapLayouts[] = {
    {17'280'000, 3600, 1200, 1},
    {2'764'800, 1440, 480, 1},
    // The monthly file: precipitation, then the count behind each value.
    {34'560'000, 3600, 1200, 2},
};

// No GSMaP file is larger: a compressed file is inflated no further to
// count its size.
constexpr std::uint64_t kLargestGsmapBytes = 34'560'000;

enum class gsmap_period { hourly, daily, monthly };

// The provider names the period: "...0.1d.daily.00Z-23Z..." and
// "...0.1d.monthly...". Anything else is an hourly file.
gsmap_period period_named(const std::string& path)
{
    const std::string name = basicfname(path);
    if (name.find("monthly") != std::string::npos) return gsmap_period::monthly;
    if (name.find("daily") != std::string::npos) return gsmap_period::daily;
    return gsmap_period::hourly;
}

struct period_row {
    gsmap_period period;
    productType kind;
    const char* label;
};

// Only a monthly kind of its own exists beside the hourly one: a daily file
// takes the hourly kind and options and keeps "daily" in its label.
constexpr period_row kPeriods[] = {
    {gsmap_period::hourly, PT_GSMAP_HOURLY, "GPM_GSMaP_Hourly_L3"},
    {gsmap_period::daily, PT_GSMAP_HOURLY, kGsmapDailyLabel},
    {gsmap_period::monthly, PT_GSMAP_MONTHLY, "GPM_GSMaP_Monthly_L3"},
};

const period_row& row_of(gsmap_period period)
{
    for (const auto& row : kPeriods) {
        if (row.period == period) return row;
    }
    return kPeriods[0];
}

} // namespace

bool is_gsmap(const std::string& path) { return basicfname(path).rfind("gsmap_", 0) == 0; }

bool gsmap_bin_reader::identify(const std::string& path, std::uintmax_t) const { return is_gsmap(path); }

failure gsmap_bin_reader::open(const std::string& path, std::uintmax_t size, product_description& d)
{
    std::optional<std::uint64_t> bytes = size;
    if (is_gzip_name(path)) {
        // What counts is the inflated size, counted by inflating: the gzip
        // trailer's length is modulo 2^32 and only the last member's.
        flat_source in(path);
        if (!in.is_open()) return failure(path, "cannot be read");
        bytes = in.content_length(kLargestGsmapBytes);
        if (!bytes) return failure(path, in.cause());
    }
    const gsmap_period named = period_named(path);
    for (const auto& layout : kGsmapLayouts) {
        if (layout.bytes != *bytes) continue;
        // Two grids are what a monthly file holds; a file named daily holding
        // them is something else.
        if (layout.grids == 2 && named == gsmap_period::daily) {
            return failure(path, "holds two grids, as a monthly file does, but its name says daily");
        }
        const period_row& period = row_of(layout.grids == 2 ? gsmap_period::monthly : named);
        d.fileName = path;
        d.kind = period.kind;
        d.productLabel = period.label;
        d.nBands = static_cast<std::int32_t>(layout.grids);
        // The count of a monthly file has no option of its own: only the
        // precipitation is offered.
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
    const std::string what = is_gzip_name(path) ? "decompressed size of " : "size of ";
    const std::string amount =
        *bytes > kLargestGsmapBytes ? "more than " + std::to_string(kLargestGsmapBytes) : std::to_string(*bytes);
    return failure(path, what + amount + " bytes fits no GSMaP grid");
}

namespace {

// Reads the grid, or only its rows `part`, into out.
read_result read_grid(const product_description& d, std::uint32_t idx, std::optional<row_span> part, read_buffers& out)
{
    out.release_planes();
    const std::uint32_t w = pixels_of(d, idx);
    const std::uint32_t h = lines_of(d, idx);
    if (w == 0 || h == 0) return read_result::refused(d.fileName, "no parameter " + std::to_string(idx));
    if (part && (part->count == 0 || std::uint64_t(part->first) + part->count > h)) {
        return read_result::refused(d.fileName, "rows past the grid's last");
    }
    binary_rows file(d.fileName);
    if (!file.is_open()) return read_result::refused(d.fileName, "cannot be read");
    if (!read_gsmap_grid(file, w, h, part, out.floatRaster)) {
        return read_result::refused(d.fileName, "file holds fewer samples than its grid"
                                                    + (file.cause().empty() ? std::string() : ": " + file.cause()));
    }
    out.dataAttr.width = static_cast<std::int32_t>(w);
    out.dataAttr.height = static_cast<std::int32_t>(part ? part->count : h);
    out.dataAttr.bands = 1;
    return {DT_FLOAT32, {}};
}

} // namespace

read_result gsmap_bin_reader::read(const product_description& d, std::uint32_t idx, read_buffers& out)
{
    return read_grid(d, idx, std::nullopt, out);
}

read_result gsmap_bin_reader::read_rows(const product_description& d, std::uint32_t idx, row_span rows,
                                        read_buffers& out)
{
    return read_grid(d, idx, rows, out);
}

} // namespace vardane
