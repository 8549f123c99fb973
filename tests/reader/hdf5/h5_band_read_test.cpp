// Grids stored transposed are read band by band straight into the plane;
// the result must be the plane a whole read gives, for every direction of
// walk and for a last band that is not full.
#include <gtest/gtest.h>

#include <vector>

#include "reader/hdf5/h5_band_read.h"
#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_plane_cases.h"
#include "reader/hdf5/h5_handles.h"

namespace vardane {

namespace {

// Stored rows of 500 floats are 2000 bytes: 512 of them make a band, so 700
// rows are one full band and one of 188.
constexpr std::int64_t kRows = 700;
constexpr std::int64_t kLen = 500;

const h5fx::plane_case kCases[] = {
    // Delivered row r is stored column kLen-1-r; delivered column c is stored row c.
    {"transposed, rows flipped", {kRows, kLen}, {kLen - 1, -1, kLen, kLen, kRows}},
    // Columns walk the stored rows backwards, rows forwards.
    {"transposed, columns reversed", {kRows, kLen}, {(kRows - 1) * kLen, 1, -kLen, kLen, kRows}},
    // The second of three layers of rows x samples.
    {"layer of a stack", {3, kRows, kLen}, {kRows * kLen + kLen - 1, -1, kLen, kLen, kRows}},
};

} // namespace

TEST(H5BandRead, BandsGiveThePlaneOfAWholeRead)
{
    h5fx::temp_dir dir;
    for (const h5fx::plane_case& c : kCases) {
        const auto path = dir.path() / "bands.h5";
        {
            h5fx::file f(path);
            f.dataset<float>("grid", c.dims);
        }
        const h5_file file(H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT));
        const h5_dataset ds(H5Dopen2(file.get(), "grid", H5P_DEFAULT));
        ASSERT_TRUE(ds) << c.name;
        std::array<std::uint64_t, 4> d{1, 1, 1, 1};
        for (std::size_t i = 0; i < c.dims.size(); ++i) d[i] = c.dims[i];
        const h5_plane_source source{file.get(), ds.get(), H5T_NATIVE_FLOAT, int(c.dims.size()), d};

        const auto bands = h5_band_layout(c.plane, source.rank, d, sizeof(float));
        ASSERT_TRUE(bands) << c.name;
        EXPECT_EQ(bands->rowsPerBand, 512u) << c.name;
        std::vector<float> banded(c.plane.rows * c.plane.cols, -1.0f);
        int calls = 0;
        ASSERT_TRUE(h5_read_bands<float>(source, c.plane, *bands,
                                         [&](const float* samples, const h5_plane& part, std::uint64_t firstCol) {
                                             ++calls;
                                             copy_plane(
                                                 samples, part, banded.data() + firstCol, 1, [](float v) { return v; },
                                                 c.plane.cols);
                                         }))
            << c.name;
        EXPECT_EQ(calls, 2) << c.name;
        EXPECT_EQ(banded, h5fx::delivered_samples(source, c.plane)) << c.name;
    }
}

TEST(H5BandRead, OtherPlanesAndSmallGridsAreReadWhole)
{
    const std::array<std::uint64_t, 4> d{kRows, kLen, 1, 1};
    // Rows as stored.
    EXPECT_FALSE(h5_band_layout({0, kLen, 1, kRows, kLen}, 2, d, sizeof(float)));
    // A transpose that fits one band.
    const std::array<std::uint64_t, 4> small{300, kLen, 1, 1};
    EXPECT_FALSE(h5_band_layout({kLen - 1, -1, kLen, kLen, 300}, 2, small, sizeof(float)));
}

// One sample of each cell of rows x columns x layers is read a band of whole
// stored rows at a time and picked out: every layer of a grid of one full
// band and a partial one must be the samples a whole read holds.
TEST(H5BandRead, SampleOfEachCellIsPickedOutOfWholeRows)
{
    h5fx::temp_dir dir;
    // A stored row is 600 x 3 shorts, 3600 bytes: 291 rows to a megabyte.
    constexpr hsize_t kGridRows = 400, kCells = 600, kLayers = 3;
    const auto path = dir.path() / "cells.h5";
    {
        h5fx::file f(path);
        f.dataset<std::uint16_t>("cells", {kGridRows, kCells, kLayers});
    }
    const h5_file file(H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT));
    const h5_dataset ds(H5Dopen2(file.get(), "cells", H5P_DEFAULT));
    ASSERT_TRUE(ds);
    const h5_plane_source source{file.get(), ds.get(), H5T_NATIVE_UINT16, 3, {kGridRows, kCells, kLayers, 1}};
    for (std::int64_t k = 0; k < std::int64_t(kLayers); ++k) {
        h5_plane plane{k, std::int64_t(kCells * kLayers), std::int64_t(kLayers), kGridRows, kCells};
        bulk_vector<std::uint16_t> samples;
        ASSERT_TRUE(h5_read_plane(source, plane, samples)) << "layer " << k;
        ASSERT_EQ(samples.size(), kGridRows * kCells);
        EXPECT_EQ(plane.base, 0);
        EXPECT_EQ(plane.colStep, 1);
        std::size_t wrong = 0;
        for (std::uint64_t i = 0; i < samples.size(); ++i) {
            wrong += samples[i] != std::uint16_t(h5fx::pattern(i * kLayers + std::uint64_t(k)));
        }
        EXPECT_EQ(wrong, 0u) << "layer " << k;
    }
}

} // namespace vardane
