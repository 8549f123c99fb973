// Bands of rows shared among the cores cover every row once, however the
// rows divide.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "util/row_bands.h"

namespace vardane {

TEST(RowBands, EveryRowIsWorkedOnceWhateverTheSize)
{
    for (const auto& [rows, cellsPerRow] : {std::pair{0, 10}, {1, 1}, {7, 1}, {1001, 1000}, {3, 1000000}}) {
        std::vector<std::atomic<int>> seen(static_cast<std::size_t>(rows));
        std::atomic<int> bands{0};
        for_row_bands(rows, cellsPerRow, [&](std::int32_t first, std::int32_t last) {
            ++bands;
            for (std::int32_t r = first; r < last; ++r) ++seen[static_cast<std::size_t>(r)];
        });
        for (const auto& count : seen) EXPECT_EQ(count.load(), 1) << rows << " rows";
        EXPECT_EQ(bands.load() >= 1, rows > 0) << rows << " rows";
        EXPECT_LE(bands.load(), std::max(rows, 1)) << rows << " rows";
    }
}

} // namespace vardane
