// The tile numbers of an SGLI tile product, from its name through the run to
// the regridded window: the tile (vertical 5, horizontal 29) lies between 30
// and 40 degrees north and, on the sinusoidal grid, between 127 and 157
// degrees east.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "driver_test_support.h"
#include "integration/read_back.h"
#include "hdf5/synth_known_values.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

TEST(TileGeoreference, TheTileWindowLiesWhereTheTileNumbersPutIt)
{
    driver_rig rig;
    const auto lst = write_synthetic(rig.temp.path(), "SGLI_LST", "lst.h5");
    // One variable: each window is 14400 x 4800 samples of 1/480 degree.
    const auto keys = rig.settings.get_key_list(ST_GCOMC_LST);
    ASSERT_FALSE(keys.empty());
    for (const auto& key : keys) {
        optSet_t entry;
        ASSERT_TRUE(rig.settings.get_OptSetting(ST_GCOMC_LST, key, entry));
        entry.flag = key == keys.front();
        ASSERT_TRUE(rig.settings.set_OptSetting(ST_GCOMC_LST, key, entry));
    }
    ASSERT_TRUE(rig.run({lst}, kinds(true, false, false, false)));
    const auto made = files_in(rig.out);
    ASSERT_EQ(made.size(), 1u) << (rig.sink.lines.empty() ? "" : rig.sink.lines.back());
    EXPECT_TRUE(made[0].ends_with(".proj.tif")) << made[0];

    const integration::raster_file tif(rig.out / made[0]);
    ASSERT_TRUE(tif.is_open());
    EXPECT_EQ(tif.width(), 14400);
    EXPECT_EQ(tif.height(), 4800);
    const auto gt = tif.geotransform();
    ASSERT_TRUE(gt.has_value());
    EXPECT_DOUBLE_EQ((*gt)[0], 127.0);
    EXPECT_DOUBLE_EQ((*gt)[3], 40.0);
    EXPECT_NEAR((*gt)[0] + (*gt)[1] * tif.width(), 157.0, 1e-9);
    EXPECT_NEAR((*gt)[3] + (*gt)[5] * tif.height(), 30.0, 1e-9);
    // Along the marker's latitude the drawn pixels lie between the tile's
    // sinusoidal edges (10 h - 180) / cos(lat) and (10 (h + 1) - 180) / cos(lat).
    constexpr double kNodata = 65535;
    const double lat = synth_known::kMarkerLat;
    const int row = int((40.0 - lat) / -(*gt)[5]);
    const auto values = tif.rows(1, row, 1);
    const double coslat = std::cos(lat * std::numbers::pi / 180.0);
    const double west = (10.0 * 29 - 180.0) / coslat;
    const double east = (10.0 * 30 - 180.0) / coslat;
    double first = 1e9;
    double last = -1e9;
    for (std::size_t c = 0; c < values.size(); ++c) {
        if (values[c] == kNodata) continue;
        const double lon = (*gt)[0] + (double(c) + 0.5) * (*gt)[1];
        first = std::min(first, lon);
        last = std::max(last, lon);
    }
    ASSERT_LT(first, last) << "nothing drawn along latitude " << lat;
    // (The synthetic tile leaves some of its pixels without a value.)
    EXPECT_GE(first, west - 0.05);
    EXPECT_LE(last, east + 0.05);
    EXPECT_NEAR(last, east, 0.1);
    EXPECT_EQ(tif.at(1, 0, 0), kNodata);
}

} // namespace vardane
