#include <cstdint>
#include <numeric>
#include <utility>

#include <gtest/gtest.h>

#include "util/bulk_vector.h"

namespace vardane {

// Small, mapped and huge-page-straddling sizes behave as vectors: values
// given are kept through growth, copies and moves.
TEST(BulkVector, KeepsValuesAcrossGrowthCopiesAndMoves)
{
    for (const std::size_t n : {std::size_t(100), bulk_memory::kMappedFrom / 4, (std::size_t(3) << 20) + 1}) {
        bulk_vector<std::uint32_t> v(n, 7u);
        std::iota(v.begin() + 1, v.end(), 1u);
        v.resize(n + 5, 9u);
        const bulk_vector<std::uint32_t> copy = v;
        const bulk_vector<std::uint32_t> moved = std::move(v);
        ASSERT_EQ(moved.size(), n + 5);
        EXPECT_EQ(moved[0], 7u) << n;
        EXPECT_EQ(moved[n - 1], std::uint32_t(n - 1)) << n;
        EXPECT_EQ(moved[n + 4], 9u) << n;
        EXPECT_EQ(copy, moved) << n;
    }
}

// A released plane's block serves the next plane of the same size, and one
// of another size gets a block of its own that is whole.
TEST(BulkVector, ReleasedBlockIsReusedForThePlaneOfTheSameSize)
{
    const std::size_t n = (std::size_t(26) << 20) / sizeof(float);
    bulk_vector<float> plane(n, 1.5f);
    const float* first = plane.data();
    release(plane);
    EXPECT_EQ(plane.capacity(), 0u);
    bulk_vector<float> again(n);
    EXPECT_EQ(again.data(), first);
    bulk_vector<float> other(n / 2 + 3, 2.5f);
    EXPECT_NE(other.data(), first);
    EXPECT_EQ(other.back(), 2.5f);
    again.assign(n, 0.0f);
    EXPECT_EQ(again[n - 1], 0.0f);
}

} // namespace vardane
