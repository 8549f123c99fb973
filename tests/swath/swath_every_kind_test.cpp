// Every swath kind through vardane-cli --geotiff: one ".proj.tif" per window
// per variable. Slow: the scene and tile windows hold tens of millions of
// pixels, the polarisation windows 200 million each.
#include <gtest/gtest.h>

#include <algorithm>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "support/product_kinds.h"
#include "swath/swath_cli_support.h"

using namespace integration;
using swath_cli::ends_with;
using swath_cli::keep_few;

namespace {

int windows_of(productType t) { return t == PT_SGLI_POL ? 4 : 1; }

} // namespace

TEST(SwathCli, EverySwathKindGivesOneWindowFilePerWindowAndVariable)
{
    cli_scene scene;
    scene.settings(keep_few);
    std::vector<std::string> args{"--geotiff"};
    std::vector<test_support::hdf5_kind> kinds;
    for (const auto& k : test_support::hdf5_kinds()) {
        // The four polarisation windows are 400 MB each: a test of their own.
        if (!is_swath_kind(k.type) || k.type == PT_SGLI_POL) continue;
        kinds.push_back(k);
        args.push_back(scene.product(k.name, std::string(k.name) + ".h5", k.variants));
    }
    // A scene from 173 east to 173 west is split at the date line.
    args.push_back(scene.product("SGLI_VNR", "vnr180.h5", {{"center", "10,180"}}));
    const auto r = scene.run(args);
    ASSERT_EQ(r.status, 0) << r.out;
    for (const auto& line : r.lines) EXPECT_EQ(line.find("Fail in creating"), std::string::npos) << line;

    for (const auto& k : kinds) {
        SCOPED_TRACE(k.name);
        const auto log = file_log(r, std::string(k.name) + ".h5");
        const auto reads = count_of(log, kReading);
        EXPECT_GT(reads, 0u);
        const auto files = created(log, "GeoTIFF");
        EXPECT_EQ(files.size(), reads * windows_of(k.type)) << r.out;
        for (const auto& f : files) {
            EXPECT_TRUE(ends_with(f, ".proj.tif")) << f;
            raster_file tif(scene.out() / f);
            ASSERT_TRUE(tif.is_open()) << f;
            EXPECT_EQ(tif.bands(), 1) << f;
            EXPECT_NE(tif.projection().find("WGS 84"), std::string::npos) << f;
        }
    }
    // The two halves of the split scene meet at the date line.
    const auto split = created(file_log(r, "vnr180.h5"), "GeoTIFF");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_TRUE(ends_with(split[0], "_1.proj.tif")) << split[0];
    EXPECT_TRUE(ends_with(split[1], "_2.proj.tif")) << split[1];
    raster_file east(scene.out() / split[0]);
    raster_file west(scene.out() / split[1]);
    ASSERT_TRUE(east.geotransform() && west.geotransform());
    const auto ge = *east.geotransform();
    EXPECT_NEAR(ge[0] + east.width() * ge[1], 180.0, 1e-9);
    EXPECT_EQ((*west.geotransform())[0], -180.0);
    // Both halves hold the scene near the meridian, on the equator side of
    // its centre latitude.
    EXPECT_NE(east.at_lonlat(1, 179.99, 10.0), 65535.0);
    EXPECT_NE(west.at_lonlat(1, -179.99, 10.0), 65535.0);
}

// The four fixed windows of a polarisation scene, one at a time.
TEST(SwathCli, PolarisationSceneGivesItsFourQuarterEarthWindows)
{
    cli_scene scene;
    scene.settings(keep_few);
    const auto pol = scene.product("SGLI_POL", "pol.h5");
    const auto r = scene.run({"--geotiff", pol});
    ASSERT_EQ(r.status, 0) << r.out;
    const auto files = created(r.lines, "GeoTIFF");
    ASSERT_EQ(files.size(), 4u) << r.out;
    const char* suffixes[] = {"_N1.proj.tif", "_N2.proj.tif", "_S1.proj.tif", "_S2.proj.tif"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(ends_with(files[i], suffixes[i])) << files[i];
        raster_file tif(scene.out() / files[i]);
        ASSERT_TRUE(tif.is_open());
        EXPECT_EQ(tif.width(), 20000);
        EXPECT_EQ(tif.height(), 10000);
    }
    // The scene (around 35 N, 139 E) is in the north-eastern window only.
    raster_file ne(scene.out() / files[1]);
    EXPECT_NE(ne.at_lonlat(1, 139.0, 35.0), 65535.0);
    raster_file nw(scene.out() / files[0]);
    EXPECT_EQ(nw.at_lonlat(1, -139.0, 35.0), 65535.0);
}
