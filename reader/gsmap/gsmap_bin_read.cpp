#include "reader/gsmap/gsmap_bin_read.h"

#include <algorithm>

namespace vardane {

bool read_gsmap_grid(binary_rows& file, std::uint32_t columns, std::uint32_t rows, std::optional<row_span> part,
                     bulk_vector<float>& out)
{
    const std::uint64_t w = columns;
    const std::uint64_t h = rows;
    const std::uint64_t first = part ? part->first : 0;
    const std::uint64_t count = part ? part->count : h;
    if (count == 0 || first + count > h) return false;
    // A compressed file's length is known only by inflating it: its row
    // reads check instead.
    const auto stored = file.stored_length();
    if (w == 0 || (stored && *stored < w * h * 4)) return false;
    // Every sample is written below: no clearing first.
    out.resize(w * count);
    const std::uint64_t half = w / 2;
    const std::uint64_t band = std::clamp<std::uint64_t>((std::uint64_t(1) << 20) / (w * 4), 1, count);
    std::vector<unsigned char> bytes;
    for (std::uint64_t r = 0; r < count; r += band) {
        const std::uint64_t n = std::min(band, count - r);
        if (!file.read_rows(0, first + r, n, w, 4, bytes)) {
            release(out);
            return false;
        }
        for (std::uint64_t k = 0; k < n; ++k) {
            float* dst = out.data() + (r + k) * w;
            const unsigned char* src = bytes.data() + k * w * 4;
            for (std::uint64_t c = 0; c < w; ++c) {
                const std::uint64_t to = c < half ? c + half : c - half;
                dst[to] = le_f32(src + c * 4);
            }
        }
    }
    return true;
}

} // namespace vardane
