#include "reader/jasmes/jasmes_layout.h"

#include <algorithm>

namespace vardane {

namespace {

struct layout_row {
    jasmes_layout layout;
    bool aerosolOnly; // needs a multi-band header of 23 bands
};

constexpr int kAerosolBands = 23;

// Tested top to bottom; the first whose size matches wins.
constexpr layout_row kLayouts[] = {
    {{1, 1, 1, 1, 1}, false},             // w + w*h: one byte plane
    {{2, 1, 2, 1, 2}, false},             // (w + w*h) * 2: one 16-bit plane
    {{3, 1, 1, 3, 1}, false},             // w + 3*w*h: red, green, blue planes
    {{4, 1, 2, 2, 2}, false},             // (2*w*h + w) * 2: 16-bit planes, first one read
    {{-1, 3, 2, kAerosolBands, 2}, true}, // (23*w*h + w) * 2: aerosol
};

} // namespace

std::uintmax_t jasmes_layout_bytes(const jasmes_layout& layout, std::int64_t width, std::int64_t height)
{
    // Widths and heights come from six-column header fields, so the products
    // below stay far inside 64 bits.
    const auto w = static_cast<std::uintmax_t>(width);
    const auto h = static_cast<std::uintmax_t>(height);
    return layout.headerRows * w + std::uintmax_t{layout.planes} * layout.sampleBytes * w * h;
}

std::uintmax_t largest_jasmes_layout_bytes(std::int64_t width, std::int64_t height)
{
    std::uintmax_t largest = 0;
    for (const auto& row : kLayouts) largest = std::max(largest, jasmes_layout_bytes(row.layout, width, height));
    return largest;
}

std::optional<jasmes_layout> classify_jasmes_size(std::uintmax_t size, std::int64_t width, std::int64_t height,
                                                  std::int32_t bands, bool multiBandHeader)
{
    if (width <= 0 || height <= 0 || width > 999'999 || height > 999'999) return std::nullopt;
    for (const auto& row : kLayouts) {
        if (row.aerosolOnly && !(multiBandHeader && bands == kAerosolBands)) continue;
        if (jasmes_layout_bytes(row.layout, width, height) == size) return row.layout;
    }
    return std::nullopt;
}

} // namespace vardane
