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
        // Both map edges are reached near the equator. (About 0.3 % of the
        // synthetic footprints are fill, and the cells touching one are left
        // out, so a single pixel may be empty.)
        const auto near = tif.rows(1, 898, 5);
        const auto filled_at = [&](int x) {
            for (int r = 0; r < 5; ++r) {
                if (near[std::size_t(r) * 3600 + std::size_t(x)] != 65535.0) return true;
            }
            return false;
        };
        EXPECT_TRUE(filled_at(0));
        EXPECT_TRUE(filled_at(3599));
        // The orbit starts at its southern turn: past 80 degrees south.
        const auto south = tif.rows(1, 1710, 1);
        EXPECT_TRUE(std::any_of(south.begin(), south.end(), [](double v) { return v != 65535.0; }));
        // Values are brightness temperatures in 0.01 K.
        for (double v : equator) EXPECT_TRUE(v == 65535.0 || (v > 5000 && v < 40000)) << v;
    }
}

// Co-registration attributes stored as UTF-8 text (as h5py and netCDF-4
// tools re-pack the files) place the low-frequency footprints as the ASCII
// ones do; attributes that are there but are no text are said in the log.
TEST(SwathCli, Utf8CoRegistrationAttributesGiveTheAsciiOutput)
{
    cli_scene scene;
    scene.settings([](spconverter& s) {
        for (const auto& key : s.get_key_list(ST_GCOMW_L1AB)) {
            optSet_t entry;
            ASSERT_TRUE(s.get_OptSetting(ST_GCOMW_L1AB, key, entry));
            entry.flag = entry.index == 0; // 6.9 GHz H, co-registered
            ASSERT_TRUE(s.set_OptSetting(ST_GCOMW_L1AB, key, entry));
        }
    });
    const char* forms[] = {"ascii", "utf8", "utf8-fixed", "number"};
    std::vector<std::string> args{"--geotiff"};
    for (const std::string form : forms) {
        test_support::synth_variants variants{{"scans", "200"}};
        if (form != "ascii") variants.emplace_back("coreg", form);
        args.push_back(scene.product("AMSR2_L1B", form + ".h5", variants));
    }
    const auto r = scene.run(args);
    ASSERT_EQ(r.status, 0) << r.out;
    const auto band = [&](const std::string& form) {
        return raster_file(scene.out() / (form + "_6.9GHz_H.proj.tif")).band(1);
    };
    const auto ascii = band("ascii");
    ASSERT_EQ(ascii.size(), 3600u * 1800u);
    EXPECT_TRUE(band("utf8") == ascii);
    EXPECT_TRUE(band("utf8-fixed") == ascii);
    // Without factors the footprints stay on the first 89 GHz A sample of
    // their pair: another place.
    EXPECT_FALSE(band("number") == ascii);

    const auto warning = [](const char* attribute) {
        return std::string("Warning: attribute ") + attribute
               + " is present but cannot be read; low-frequency positions are not co-registered.";
    };
    const auto numberLog = file_log(r, "number.h5");
    EXPECT_EQ(count_of(numberLog, warning("CoRegistrationParameterA1")), 1u) << r.out;
    EXPECT_EQ(count_of(numberLog, warning("CoRegistrationParameterA2")), 1u) << r.out;
    for (const std::string form : {"ascii", "utf8", "utf8-fixed"}) {
        for (const auto& line : file_log(r, form + ".h5")) EXPECT_EQ(line.find("Warning"), std::string::npos) << line;
    }
}

} // namespace vardane
