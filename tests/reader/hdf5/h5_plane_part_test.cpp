// A part of a delivered plane, its rows from some first one, reads only the
// stored rows and columns it lies in, whichever way the plane walks its
// dataset, and holds exactly those rows of the whole plane.
#include <gtest/gtest.h>

#include <vector>

#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_handles.h"
#include "reader/hdf5/h5_plane_cases.h"

namespace vardane {

namespace {

constexpr std::int64_t kRows = 90;
constexpr std::int64_t kLen = 40;

const h5fx::plane_case kCases[] = {
    {"rows as stored", {kRows, kLen}, {0, kLen, 1, kRows, kLen}},
    {"rows flipped", {kRows, kLen}, {(kRows - 1) * kLen, -kLen, 1, kRows, kLen}},
    {"transposed", {kRows, kLen}, {kLen - 1, -1, kLen, kLen, kRows}},
    {"second layer of a stack", {3, kRows, kLen}, {kRows * kLen, kLen, 1, kRows, kLen}},
    {"second sample of each cell", {kRows, kLen, 3}, {1, kLen * 3, 3, kRows, kLen}},
};

// The plane's rows [first, first + count) as delivered samples.
std::vector<float> read_rows(const h5_plane_source& source, h5_plane plane, std::uint64_t first, std::uint64_t count)
{
    plane.base += std::int64_t(first) * plane.rowStep;
    plane.rows = count;
    return h5fx::delivered_samples(source, plane);
}

} // namespace

TEST(H5PlanePart, APartReadsOnlyItsStoredRowsAndHoldsThoseRowsOfTheWhole)
{
    h5fx::temp_dir dir;
    for (const h5fx::plane_case& c : kCases) {
        for (const bool chunked : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (chunked ? ", chunked" : ""));
            const auto path = dir.path() / "part.h5";
            {
                h5fx::file f(path);
                f.dataset<float>("grid", c.dims, chunked);
            }
            const h5_file file(H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT));
            const h5_dataset ds(H5Dopen2(file.get(), "grid", H5P_DEFAULT));
            ASSERT_TRUE(ds);
            std::array<std::uint64_t, 4> d{1, 1, 1, 1};
            for (std::size_t i = 0; i < c.dims.size(); ++i) d[i] = c.dims[i];
            const h5_plane_source source{file.get(), ds.get(), H5T_NATIVE_FLOAT, int(c.dims.size()), d};

            const std::vector<float> whole = read_rows(source, c.plane, 0, c.plane.rows);
            ASSERT_EQ(whole.size(), c.plane.rows * c.plane.cols);
            const std::uint64_t first = c.plane.rows / 3;
            const std::uint64_t count = c.plane.rows / 4;
            h5_plane part = c.plane;
            part.base += std::int64_t(first) * part.rowStep;
            part.rows = count;
            // The slab holds the part's samples and no more.
            EXPECT_EQ(slab_for(part, source.rank, d).samples, count * c.plane.cols);
            const std::vector<float> rows = read_rows(source, c.plane, first, count);
            const auto from = whole.begin() + std::ptrdiff_t(first * c.plane.cols);
            EXPECT_EQ(rows, std::vector<float>(from, from + std::ptrdiff_t(count * c.plane.cols)));
        }
    }
}

} // namespace vardane
