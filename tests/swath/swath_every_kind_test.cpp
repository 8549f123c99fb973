// Every swath kind through vardane-cli --geotiff: one ".proj.tif" per window
// per variable. Slow: the scene and tile windows hold tens of millions of
// pixels, the four polarisation windows 200 million each.
#include <gtest/gtest.h>

#include <algorithm>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "support/product_kinds.h"
#include "swath/swath_cli_support.h"

namespace vardane {

using namespace integration;
using swath_cli::keep_few;

namespace {

int windows_of(productType t) { return t == PT_SGLI_POL ? 4 : 1; }

std::size_t filled_pixels(const std::filesystem::path& path)
{
    raster_file tif(path);
    std::size_t n = 0;
    for (int y = 0; y < tif.height(); ++y) {
        for (double v : tif.rows(1, y, 1)) n += v != 65535.0;
    }
    return n;
}

} // namespace

TEST(SwathCli, EverySwathKindGivesOneWindowFilePerWindowAndVariable)
{
    cli_scene scene;
    scene.settings(keep_few);
    std::vector<std::string> args{"--geotiff"};
    std::vector<test_support::hdf5_kind> kinds;
    for (const auto& k : test_support::hdf5_kinds()) {
        if (!is_swath_kind(k.type)) continue;
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
            EXPECT_TRUE(f.ends_with(".proj.tif")) << f;
            raster_file tif(scene.out() / f);
            ASSERT_TRUE(tif.is_open()) << f;
            EXPECT_EQ(tif.bands(), 1) << f;
            EXPECT_NE(tif.projection().find("WGS 84"), std::string::npos) << f;
        }
    }
    // The two halves of the split scene meet at the date line.
    const auto split = created(file_log(r, "vnr180.h5"), "GeoTIFF");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_TRUE(split[0].ends_with("_1.proj.tif")) << split[0];
    EXPECT_TRUE(split[1].ends_with("_2.proj.tif")) << split[1];
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

    // The quarter-resolution infrared band covers the scene as the full one
    // does (its lines and pixels are four of the tie-point grid's).
    const auto irs = created(file_log(r, "SGLI_IRS.h5"), "GeoTIFF");
    ASSERT_EQ(irs.size(), 2u);
    EXPECT_NEAR(double(filled_pixels(scene.out() / irs[0])) / double(filled_pixels(scene.out() / irs[1])), 1.0, 0.1);

    // The four quarter-Earth windows of the polarisation scene (around 35 N,
    // 139 E): the scene lies in the north-eastern one only.
    const auto pol = created(file_log(r, "SGLI_POL.h5"), "GeoTIFF");
    ASSERT_EQ(pol.size(), 4u);
    const char* suffixes[] = {"_N1.proj.tif", "_N2.proj.tif", "_S1.proj.tif", "_S2.proj.tif"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(pol[i].ends_with(suffixes[i])) << pol[i];
        raster_file tif(scene.out() / pol[i]);
        EXPECT_EQ(tif.width(), 20000);
        EXPECT_EQ(tif.height(), 10000);
        EXPECT_EQ(tif.at_lonlat(1, i % 2 ? 139.0 : -139.0, i < 2 ? 35.0 : -35.0) != 65535.0, i == 1) << pol[i];
    }
}

} // namespace vardane
