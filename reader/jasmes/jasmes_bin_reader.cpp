// Recognition of the JASMES flat-binary products: one text header row followed
// by the image planes, or the bare image of a known grid.
#include "reader/jasmes/jasmes_bin_reader.h"

#include <algorithm>
#include <optional>

#include "reader/flat_source.h"
#include "reader/jasmes/jasmes_geometry.h"
#include "reader/jasmes/jasmes_grids.h"
#include "reader/jasmes/jasmes_header.h"
#include "reader/jasmes/jasmes_layout.h"
#include "util/string_utils.h"

namespace vardane {

namespace {

constexpr std::uintmax_t kMinimumFileSize = 256;
constexpr std::size_t kMaxHeaderLine = 255;
// A header line starts with at least this many printable characters; anything
// else is the first row of a headerless image.
constexpr std::size_t kPrintableLead = 36;

// The first line of the file: up to the first line end or NUL, at most 255
// characters.
bool read_first_line(flat_source& in, std::string& line)
{
    unsigned char buf[kMaxHeaderLine];
    const std::size_t got = in.read_some(buf, sizeof buf);
    if (got == 0) return false;
    std::size_t n = 0;
    while (n < got && buf[n] != '\n' && buf[n] != '\r' && buf[n] != '\0') ++n;
    line.assign(reinterpret_cast<const char*>(buf), n);
    return true;
}

// Bytes of the largest headerless file of a known grid.
std::uint64_t largest_headerless_bytes()
{
    std::uint64_t largest = 0;
    for (const auto& g : jasmes_binary_grids()) {
        for (const auto sampleBytes : kHeaderlessSampleBytes) {
            largest = std::max<std::uint64_t>(largest, std::uint64_t(g.width) * std::uint64_t(g.height) * sampleBytes);
        }
    }
    return largest;
}

// The size the layouts are matched against: the file's own or, for a
// compressed file, what it inflates to, counted no further than limit + 1.
// Nothing when compressed data cannot be inflated to their end.
std::optional<std::uint64_t> content_size(flat_source& in, std::uintmax_t stored, std::uint64_t limit)
{
    if (!in.compressed()) return stored;
    return in.content_length(limit);
}

// How a size is named in a message: a compressed file's is its content's.
std::string size_text(const flat_source& in, std::uint64_t size)
{
    return (in.compressed() ? "decompressed size of " : "size of ") + std::to_string(size) + " bytes";
}

bool printable_prefix(const std::string& line, std::size_t count)
{
    if (line.size() < count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!is_printable_char(line[i])) return false;
    }
    return true;
}

bool all_printable(const std::string& line) { return printable_prefix(line, line.size()); }

enum class header_form { none, t2, t1rgb, t1 };

header_form parse_any_header(const std::string& line, JasmesHeader_t& header)
{
    if (parse_header_T2(line, header)) return header_form::t2;
    if (parse_header_T1rgb(line, header)) return header_form::t1rgb;
    if (parse_header_T1(line, header)) return header_form::t1;
    clear_JasmeHeader(header);
    return header_form::none;
}

} // namespace

bool jasmes_bin_reader::identify(const std::string&, std::uintmax_t) const { return true; }

failure jasmes_bin_reader::open(const std::string& filename, std::uintmax_t size, product_description& d)
{
    d.fileName = filename;
    state_ = jasmes_state{};

    flat_source in(filename);
    if (!in.is_open() || (!in.compressed() && size < kMinimumFileSize)) return {};
    // A file named *.gz whose data do not inflate says what it is meant to
    // be by its name: it is reported as damaged rather than passed over.
    const auto damaged = [&] { return failure(filename, in.cause()); };
    std::string line;
    if (!read_first_line(in, line)) return in.cause().empty() ? failure{} : damaged();

    if (!printable_prefix(line, kPrintableLead)) {
        // Headerless: the size alone names the grid and the sample size.
        const auto counted = content_size(in, size, largest_headerless_bytes());
        if (!counted) return damaged();
        const std::uint64_t bytes = *counted;
        if (bytes < kMinimumFileSize) return {};
        for (const auto& g : jasmes_binary_grids()) {
            const auto plane = static_cast<std::uintmax_t>(g.width) * static_cast<std::uintmax_t>(g.height);
            std::int32_t b = 0;
            for (const auto sampleBytes : kHeaderlessSampleBytes) {
                if (plane * sampleBytes == bytes) b = static_cast<std::int32_t>(sampleBytes);
            }
            if (b == 0) continue;
            d.nCount = 1;
            d.nBands = 1;
            d.pixels = {static_cast<std::uint32_t>(g.width)};
            d.lines = {static_cast<std::uint32_t>(g.height)};
            d.scales = {b == 1 ? 1.0 : 0.02};
            d.para = b == 1 ? "wf" : "lst";
            d.bytesPerSample = b;
            d.lonOrigin = g.lon;
            d.latOrigin = g.lat;
            d.resolution = g.resolution;
            d.jasmesArea = g.area;
            d.headerSize = 0;
            state_.planes = 1;
            state_.sampleBytes = static_cast<std::uint32_t>(b);
            d.kind = PT_JASMES_RAW;
            set_jasmes_corners_and_label(d);
            return {};
        }
        return {};
    }

    // A header line is text throughout; control or non-ASCII bytes inside it
    // mean the file is something else.
    if (!all_printable(line)) return {};
    JasmesHeader_t& h = state_.header;
    const header_form form = parse_any_header(line, h);
    if (form == header_form::none || h.width <= 0 || h.height <= 0) return {};

    const auto counted = content_size(in, size, largest_jasmes_layout_bytes(h.width, h.height));
    if (!counted) return damaged();
    if (*counted < kMinimumFileSize) return {};
    const auto layout = classify_jasmes_size(*counted, h.width, h.height, h.bands, form == header_form::t2);
    if (!layout) {
        // A header of its own, so a JASMES product: cut short or padded.
        return failure(filename, size_text(in, *counted) + " does not fit its header (" + std::to_string(h.width)
                                     + " x " + std::to_string(h.height) + ")");
    }

    const auto w = static_cast<std::uint32_t>(h.width);
    const auto ht = static_cast<std::uint32_t>(h.height);
    if (form == header_form::t2) {
        d.nBands = h.bands;
        d.pixels.assign(static_cast<std::size_t>(h.bands), w);
        d.lines.assign(static_cast<std::size_t>(h.bands), ht);
        d.scales.assign(h.bandScale, h.bandScale + h.bands);
        d.offset = 0.0;
        d.para = "wst";
        d.granule = "_multi_type_";
    } else {
        d.nBands = 1;
        d.pixels = {w};
        d.lines = {ht};
        d.scales = {h.scale};
        d.offset = h.offset;
        d.para = h.para;
        d.granule = h.area;
        if (form == header_form::t1 && trim_space(d.para) == "par") d.para = "par_";
    }
    d.lonOrigin = h.lon;
    d.latOrigin = h.lat;
    d.resolution = h.resolution;
    d.bytesPerSample = layout->bytesPerSample;
    d.nCount = layout->nCount;
    if (layout->bytesPerSample == -1) d.para = "aerosol";
    d.headerSize = static_cast<std::int32_t>(layout->headerRows * w);
    state_.planes = layout->planes;
    state_.sampleBytes = layout->sampleBytes;
    if (const GeoParam_t* g = find_jasmes_grid(jasmes_binary_grids(), h.width, h.height)) d.jasmesArea = g->area;
    d.kind = PT_JASMES_HDR;
    set_jasmes_corners_and_label(d);
    return {};
}

} // namespace vardane
