// The raster takes a read's plane over instead of copying it, and hands its
// block back for the next plane of the same size.
#include <gtest/gtest.h>

#include "output/output_raster.h"

namespace vardane {

namespace {
// Large enough to be a block of its own.
constexpr std::int32_t kWidth = 1024;
constexpr std::int32_t kHeight = 600;
} // namespace

TEST(OutputRaster, AdoptedFloatPlaneIsTheRasterAndOutlivesAMove)
{
    bulk_vector<float> plane(std::size_t(kWidth) * kHeight);
    for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = float(i);
    const float* samples = plane.data();
    output_raster raster;
    raster.adopt(kWidth, kHeight, std::move(plane));
    EXPECT_TRUE(plane.empty());
    EXPECT_EQ(&raster.at(0, 0).f32, samples) << "the plane was copied, not taken over";
    EXPECT_EQ(raster.at(kHeight - 1, kWidth - 1).f32, float(kWidth * kHeight - 1));

    output_raster moved = std::move(raster);
    EXPECT_TRUE(raster.empty());
    EXPECT_EQ(raster.width(), 0);
    EXPECT_EQ(moved.at(1, 2).f32, float(kWidth + 2));
    moved.reset(3, 2);
    EXPECT_EQ(moved.at(1, 2).u16, 0) << "a reset raster starts cleared";
}

TEST(OutputRaster, AdoptedSixteenBitPlaneIsTwoBytesACellAndItsBlockIsReused)
{
    bulk_vector<std::uint16_t> plane(std::size_t(kWidth) * kHeight);
    for (std::size_t i = 0; i < plane.size(); ++i) plane[i] = std::uint16_t(65535 - i % 65536);
    const std::uint16_t* samples = plane.data();
    output_raster raster;
    raster.adopt(kWidth, kHeight, std::move(plane));
    EXPECT_EQ(raster.cell_bytes(), 2u);
    EXPECT_EQ(static_cast<const void*>(raster.samples<std::int16_t>(0).first()), samples);
    EXPECT_EQ(raster.cell(0, 0).s16, -1);
    EXPECT_EQ(raster.cell(1, 2).u16, std::uint16_t(65535 - (kWidth + 2)));
    EXPECT_EQ(raster.cell(1, 2).bytes[2], 0) << "a cell's other bytes are clear";

    raster.clear();
    EXPECT_TRUE(raster.empty());
    const bulk_vector<std::uint16_t> next(std::size_t(kWidth) * kHeight);
    EXPECT_EQ(static_cast<const void*>(next.data()), samples) << "the cleared raster still holds its block";
}

} // namespace vardane
