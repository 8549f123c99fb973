#pragma once
// Work over the rows of a large array shared among the machine's cores,
// each taking a band of consecutive rows.

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace vardane {

// Calls work(first, last) on bands of rows [first, last) that cover
// [0, rows) once (none for no rows), a band per core (the first on the calling thread), and
// returns when every band is done. `work` writes only what its rows own and
// throws nothing. An array of fewer cells than a thread is worth, or a
// machine that cannot start a thread, is worked through on the calling
// thread alone.
template <class Work>
void for_row_bands(std::int32_t rows, std::int64_t cellsPerRow, Work work)
{
    if (rows <= 0) return;
    constexpr std::int64_t kCellsWorthAThread = std::int64_t(1) << 17;
    const auto cores = std::int64_t(std::max(1u, std::thread::hardware_concurrency()));
    const std::int64_t cells = std::int64_t(rows) * std::max<std::int64_t>(cellsPerRow, 1);
    const std::int64_t bands =
        std::clamp<std::int64_t>(cells / kCellsWorthAThread, 1, std::min<std::int64_t>(cores, rows));
    const auto first = [&](std::int64_t band) { return std::int32_t(rows * band / bands); };
    std::vector<std::jthread> helpers;
    std::int64_t started = 1;
    for (; started < bands; ++started) {
        try {
            helpers.emplace_back(work, first(started), first(started + 1));
        } catch (const std::system_error&) {
            break;
        }
    }
    work(0, first(1));
    // Bands no thread could be started for.
    for (std::int64_t band = started; band < bands; ++band) work(first(band), first(band + 1));
}

} // namespace vardane
