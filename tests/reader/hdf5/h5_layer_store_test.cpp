// The read of one layer of an interleaved dataset keeps the others, and a
// later read of one of them, of the same rows of the same dataset, takes it
// from the store rather than from the file; anything else reads the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/hdf5/h5_fixture.h"
#include "reader/hdf5/h5_handles.h"
#include "reader/hdf5/h5_layer_store.h"
#include "reader/hdf5/h5_plane_cases.h"

namespace vardane {

namespace {

constexpr std::int64_t kRows = 60;
constexpr std::int64_t kLen = 30;
constexpr std::int64_t kLayers = 3;

// Layer k of every cell of the kRows x kLen x kLayers dataset, rows [first, first + count).
h5_plane layer(std::int64_t k, std::int64_t first = 0, std::int64_t count = kRows)
{
    return {first * kLen * kLayers + k, kLen * kLayers, kLayers, std::uint64_t(count), kLen};
}

// Layer k of the stored values pattern(i) * sign, rows [first, first + count).
std::vector<float> expected(std::int64_t k, float sign, std::int64_t first = 0, std::int64_t count = kRows)
{
    std::vector<float> v;
    for (std::int64_t r = first; r < first + count; ++r) {
        for (std::int64_t c = 0; c < kLen; ++c) {
            v.push_back(sign * float(h5fx::pattern(std::uint64_t((r * kLen + c) * kLayers + k))));
        }
    }
    return v;
}

// Stores pattern(i) * sign in the dataset, as a file rewritten between reads.
void rewrite(const std::string& path, float sign)
{
    const h5_file file(H5Fopen(path.c_str(), H5F_ACC_RDWR, H5P_DEFAULT));
    const h5_dataset ds(H5Dopen2(file.get(), "grid", H5P_DEFAULT));
    ASSERT_TRUE(ds);
    std::vector<float> values(kRows * kLen * kLayers);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = sign * float(h5fx::pattern(i));
    ASSERT_GE(H5Dwrite(ds.get(), H5T_NATIVE_FLOAT, H5S_ALL, H5S_ALL, H5P_DEFAULT, values.data()), 0);
}

// Reads plane `p` of dataset "grid" of `path` through the store.
std::vector<float> read(const std::string& path, h5_layer_store& store, const h5_plane& p)
{
    const h5_file file(H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT));
    const h5_dataset ds(H5Dopen2(file.get(), "grid", H5P_DEFAULT));
    if (!ds) return {};
    store.use_for(path, "grid");
    const h5_plane_source source{file.get(), ds.get(), H5T_NATIVE_FLOAT, 3, {kRows, kLen, kLayers, 1}, &store};
    return h5fx::delivered_samples(source, p);
}

} // namespace

TEST(H5LayerStore, TheOtherLayersOfAReadAreTakenOnceForTheSameRowsOfTheSameDataset)
{
    h5fx::temp_dir dir;
    for (const bool chunked : {false, true}) {
        SCOPED_TRACE(chunked ? "chunked" : "contiguous");
        const std::string path = (dir.path() / "layers.h5").string();
        {
            h5fx::file f(path);
            f.dataset<float>("grid", {kRows, kLen, kLayers}, chunked);
        }
        h5_layer_store store;
        EXPECT_EQ(read(path, store, layer(1)), expected(1, 1.0f));
        rewrite(path, -1.0f);
        // Layers 0 and 2 were picked out of the same read: the file's new
        // values are not read for them.
        EXPECT_EQ(read(path, store, layer(2)), expected(2, 1.0f));
        EXPECT_EQ(read(path, store, layer(0)), expected(0, 1.0f));
        // Each was handed out once: the same layer again comes from the file.
        EXPECT_EQ(read(path, store, layer(2)), expected(2, -1.0f));
        EXPECT_EQ(read(path, store, layer(1)), expected(1, -1.0f));

        // The layers of a part are kept for those rows only.
        EXPECT_EQ(read(path, store, layer(0, 10, 20)), expected(0, -1.0f, 10, 20));
        rewrite(path, 1.0f);
        EXPECT_EQ(read(path, store, layer(1, 10, 20)), expected(1, -1.0f, 10, 20));
        EXPECT_EQ(read(path, store, layer(2, 10, 19)), expected(2, 1.0f, 10, 19));

        // Another dataset, or a cleared store, gives back what was kept.
        rewrite(path, -1.0f);
        store.use_for(path, "another");
        EXPECT_EQ(read(path, store, layer(0, 10, 19)), expected(0, -1.0f, 10, 19));
        rewrite(path, 1.0f);
        store.clear();
        EXPECT_EQ(read(path, store, layer(1, 10, 19)), expected(1, 1.0f, 10, 19));
    }
}

} // namespace vardane
