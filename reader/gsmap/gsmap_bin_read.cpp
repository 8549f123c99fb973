#include "reader/gsmap/gsmap_bin_read.h"

namespace vardane {

bool read_gsmap_grid(binary_rows& file, std::uint32_t columns, std::uint32_t rows, bulk_vector<float>& out)
{
    const std::uint64_t w = columns;
    const std::uint64_t h = rows;
    // A compressed file's length is known only by inflating it: its row
    // reads check instead.
    const auto stored = file.stored_length();
    if (w == 0 || h == 0 || (stored && *stored < w * h * 4)) return false;
    out.assign(w * h, 0.0f);
    const std::uint64_t half = w / 2;
    std::vector<unsigned char> row;
    for (std::uint64_t r = 0; r < h; ++r) {
        if (!file.read_row(0, r, w, 4, row)) {
            release(out);
            return false;
        }
        float* dst = out.data() + r * w;
        for (std::uint64_t c = 0; c < w; ++c) {
            const std::uint64_t to = c < half ? c + half : c - half;
            dst[to] = le_f32(row.data() + c * 4);
        }
    }
    return true;
}

} // namespace vardane
