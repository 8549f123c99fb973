// A radiometer orbit through vardane-cli --geotiff, read back with GDAL:
// the swath lies where it flies, across the date line, without streaks.
#include <gtest/gtest.h>

#include <algorithm>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "swath/swath_cli_support.h"

namespace vardane {

using namespace integration;
using swath_cli::keep_few;

// Half an orbit from the southern turn past the equator, which it crosses at
// the date line.
TEST(SwathCli, RadiometerSwathLiesWhereItFliesWithoutStreaks)
{
    cli_scene scene;
    scene.settings(keep_few);
    const auto l1b = scene.product("AMSR2_L1B", "orbit.h5", {{"scans", "1100"}});
    const auto r = scene.run({"--geotiff", l1b});
    ASSERT_EQ(r.status, 0) << r.out;
    const auto files = created(r.lines, "GeoTIFF");
    ASSERT_EQ(files.size(), 3u) << r.out;
    for (const auto& f : files) {
        SCOPED_TRACE(f);
        raster_file tif(scene.out() / f);
        ASSERT_TRUE(tif.is_open());
        EXPECT_EQ(tif.geotransform(), (std::array<double, 6>{-180, 0.1, 0, 90, 0, -0.1}));
        // On the equator the swath (about 1450 km, 130 pixels) lies across
        // the date line: filled pixels near both map edges and nowhere else.
        const auto equator = tif.rows(1, 900, 1);
        int filled = 0;
        for (int x = 0; x < 3600; ++x) {
            if (equator[std::size_t(x)] == 65535.0) continue;
            ++filled;
            EXPECT_TRUE(x < 150 || x >= 3450) << "filled far from the swath at column " << x;
        }
        EXPECT_GT(filled, 90);
        EXPECT_LT(filled, 170);
        EXPECT_NE(equator[0], 65535.0);
        EXPECT_NE(equator[3599], 65535.0);
        // The orbit starts at its southern turn: past 80 degrees south.
        const auto south = tif.rows(1, 1710, 1);
        EXPECT_TRUE(std::any_of(south.begin(), south.end(), [](double v) { return v != 65535.0; }));
        // Values are brightness temperatures in 0.01 K.
        for (double v : equator) EXPECT_TRUE(v == 65535.0 || (v > 5000 && v < 40000)) << v;
    }
}

} // namespace vardane
