// vardane-cli --mosaic over two radiometer swaths of one day that overlap in
// part, the VRTs read back with GDAL: both swaths' pixels, the later input's
// where they overlap, and nothing of a file whose outputs were discarded.
#include <gtest/gtest.h>

#include <gdal_priv.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "batch_checks.h"
#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "swath/swath_cli_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace integration;
using cli_test::says;
using cli_test::summary_of;

namespace {

constexpr double kEmpty = 65535; // the brightness grids' NoData

// A piece of the half orbit: scans first .. first + 199, its values from
// `seed`. Pieces 100 scans apart overlap by half.
std::string swath_piece(const cli_scene& scene, const std::string& name, int first, std::uint32_t seed)
{
    const auto path = test_support::write_synthetic("AMSR2_L1B", scene.in() / name,
                                                    {{"scans", "200"}, {"first_scan", std::to_string(first)}},
                                                    synth_layout::ours, seed);
    EXPECT_FALSE(path.empty()) << name;
    return path;
}

// The output names of the GeoTIFFs the log announced for input base `base`.
std::set<std::string> output_names(const cli_test::process_result& r, const std::string& base)
{
    std::set<std::string> names;
    const std::string extension = ".proj.tif";
    for (const auto& file : created(r.lines, "GeoTIFF")) {
        if (file.starts_with(base + "_") && file.ends_with(extension))
            names.insert(file.substr(base.size() + 1, file.size() - base.size() - 1 - extension.size()));
    }
    return names;
}

// The GeoTIFF names a VRT lays over each other, in its order.
std::vector<std::string> sources_of(const fs::path& vrt)
{
    GDALAllRegister();
    std::vector<std::string> names;
    GDALDataset* ds = GDALDataset::Open(vrt.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY);
    EXPECT_TRUE(ds) << vrt;
    if (!ds) return names;
    char** list = ds->GetFileList();
    for (char** p = list; p && *p; ++p) {
        if (fs::path(*p).extension() == ".tif") names.push_back(fs::path(*p).filename().string());
    }
    CSLDestroy(list);
    GDALClose(ds);
    return names;
}

struct overlap_counts {
    int lowerOnly = 0;
    int upperOnly = 0;
    int both = 0;
    int bothDiffer = 0;
};

// Every mosaic pixel is the upper file's where that has data, else the
// lower one's (NoData where neither has).
overlap_counts expect_upper_on_top(const fs::path& vrt, const fs::path& lower, const fs::path& upper)
{
    const raster_file mosaic(vrt);
    const raster_file below(lower);
    const raster_file above(upper);
    overlap_counts counts;
    if (!mosaic.is_open() || !below.is_open() || !above.is_open()) {
        ADD_FAILURE() << vrt;
        return counts;
    }
    EXPECT_EQ(mosaic.geotransform(), above.geotransform());
    EXPECT_EQ(mosaic.type(1), GDT_UInt16);
    const auto m = mosaic.band(1);
    const auto b = below.band(1);
    const auto a = above.band(1);
    EXPECT_EQ(m.size(), a.size());
    EXPECT_EQ(b.size(), a.size());
    int wrong = 0;
    for (std::size_t i = 0; i < std::min({m.size(), a.size(), b.size()}); ++i) {
        const double want = a[i] != kEmpty ? a[i] : b[i];
        if (m[i] != want && ++wrong <= 5) ADD_FAILURE() << vrt << " pixel " << i << ": " << m[i] << ", not " << want;
        counts.lowerOnly += b[i] != kEmpty && a[i] == kEmpty;
        counts.upperOnly += a[i] != kEmpty && b[i] == kEmpty;
        counts.both += a[i] != kEmpty && b[i] != kEmpty;
        counts.bothDiffer += a[i] != kEmpty && b[i] != kEmpty && a[i] != b[i];
    }
    EXPECT_EQ(wrong, 0) << vrt;
    return counts;
}

// VARDANE_TEST_SPIN_ON for the runs of one test.
class spin_on {
public:
    explicit spin_on(const std::string& names) { ::setenv("VARDANE_TEST_SPIN_ON", names.c_str(), 1); }
    ~spin_on() { ::unsetenv("VARDANE_TEST_SPIN_ON"); }
    spin_on(const spin_on&) = delete;
    spin_on& operator=(const spin_on&) = delete;
};

} // namespace

// One VRT per output name over both swaths, in input order: the later input
// on top; given the other way round, the other one.
TEST(CliMosaic, TwoSwathsOfADayLieInOneVrtPerNameTheLaterOnTop)
{
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "b first" : "a first");
        cli_scene scene;
        scene.settings(swath_cli::keep_few);
        const auto a = swath_piece(scene, "a.h5", 300, 1);
        const auto b = swath_piece(scene, "b.h5", 400, 2);
        const auto r = scene.run(reversed ? std::vector<std::string>{"--mosaic", b, a}
                                          : std::vector<std::string>{"--mosaic", a, b});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        const auto names = output_names(r, "a");
        ASSERT_EQ(names.size(), 3u) << r.out;
        EXPECT_EQ(output_names(r, "b"), names);
        std::vector<std::string> expectedVrts;
        for (const auto& name : names) expectedVrts.push_back(name + "_mosaic.vrt");
        auto vrts = created(r.lines, "Mosaic");
        std::sort(vrts.begin(), vrts.end());
        EXPECT_EQ(vrts, expectedVrts) << r.out;
        // Told after the run's own lines, counted with the outputs.
        EXPECT_EQ(r.lines[r.lines.size() - 5], kCompleted) << r.out;
        EXPECT_TRUE(says(summary_of(r), "outputs written 9,")) << summary_of(r);

        for (const auto& name : names) {
            SCOPED_TRACE(name);
            const fs::path vrt = scene.out() / (name + "_mosaic.vrt");
            const std::string lower = (reversed ? "b_" : "a_") + name + ".proj.tif";
            const std::string upper = (reversed ? "a_" : "b_") + name + ".proj.tif";
            EXPECT_EQ(sources_of(vrt), (std::vector<std::string>{lower, upper}));
            const raster_file mosaic(vrt);
            int has = 0;
            GDALDataset* ds = GDALDataset::Open(vrt.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY);
            ASSERT_TRUE(ds);
            EXPECT_EQ(ds->GetRasterBand(1)->GetNoDataValue(&has), kEmpty);
            EXPECT_TRUE(has);
            GDALClose(ds);
            const auto counts = expect_upper_on_top(vrt, scene.out() / lower, scene.out() / upper);
            // Both swaths show, and they overlap with values of their own.
            EXPECT_GT(counts.lowerOnly, 1000);
            EXPECT_GT(counts.upperOnly, 1000);
            EXPECT_GT(counts.both, 1000);
            EXPECT_GT(counts.bothDiffer, counts.both / 2);
        }
    }
}

// A file whose worker is killed with an output made has that output
// discarded: no VRT lists it.
TEST(CliMosaic, DiscardedOutputsAreInNoVrt)
{
    cli_scene scene;
    scene.settings(swath_cli::keep_few);
    const auto a = swath_piece(scene, "a.h5", 300, 1);
    const auto b = swath_piece(scene, "b.h5", 400, 2);
    const auto hung = swath_piece(scene, "hung.h5", 500, 3);
    const spin_on spin("hung.h5");
    // Long enough that the good files, in a sanitizer build on a loaded
    // machine, never reach it.
    const auto r = scene.run({"--mosaic", "--file-timeout", "6", a, hung, b});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_TRUE(says(r.err, hung + ": ")) << r.err;
    EXPECT_TRUE(says(summary_of(r), "failures 1,")) << summary_of(r);
    const auto names = output_names(r, "a");
    ASSERT_EQ(names.size(), 3u) << r.out;
    // The hung file's first output was announced before it hung.
    EXPECT_EQ(output_names(r, "hung").size(), 1u) << r.out;
    EXPECT_EQ(created(r.lines, "Mosaic").size(), 3u) << r.out;
    for (const auto& name : names) {
        EXPECT_EQ(sources_of(scene.out() / (name + "_mosaic.vrt")),
                  (std::vector<std::string>{"a_" + name + ".proj.tif", "b_" + name + ".proj.tif"}));
        EXPECT_FALSE(fs::exists(scene.out() / ("hung_" + name + ".proj.tif")));
    }
}

} // namespace vardane
