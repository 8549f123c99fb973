// Every polar grid against GDAL's own warp utility run the way a user would:
// from the latitude/longitude GeoTIFF of the same run onto the output's
// system, extent and size, with the resampling the grid calls for. Slow: a
// 0.1 degree radiometer grid on every grid, both hemispheres.
#include <gtest/gtest.h>

#include <gdal_utils.h>

#include <cmath>
#include <memory>

#include "integration/cli_run_support.h"
#include "integration/read_back.h"
#include "util/number_text.h"

namespace vardane {

using namespace integration;

namespace {

namespace fs = std::filesystem;

std::string number(double v) { return format_general(v, 17); }

// GDAL's warp of source onto the grid of `like`, written to destination.
bool gdal_warp(const fs::path& source, const raster_file& like, const fs::path& destination, const char* method,
               const std::string& srcNodata, const std::string& dstNodata)
{
    const auto gt = *like.geotransform();
    const double right = gt[0] + gt[1] * like.width();
    const double bottom = gt[3] + gt[5] * like.height();
    std::vector<std::string> args{"-of",
                                  "GTiff",
                                  "-t_srs",
                                  like.projection(),
                                  "-te",
                                  number(gt[0]),
                                  number(bottom),
                                  number(right),
                                  number(gt[3]),
                                  "-ts",
                                  std::to_string(like.width()),
                                  std::to_string(like.height()),
                                  "-r",
                                  method,
                                  "-srcnodata",
                                  srcNodata,
                                  "-dstnodata",
                                  dstNodata,
                                  "-q"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::unique_ptr<GDALWarpAppOptions, void (*)(GDALWarpAppOptions*)> options(
        GDALWarpAppOptionsNew(argv.data(), nullptr), GDALWarpAppOptionsFree);
    GDALAllRegister();
    GDALDatasetH src = GDALOpen(source.c_str(), GA_ReadOnly);
    if (src == nullptr || !options) return false;
    int usage = 0;
    GDALDatasetH out = GDALWarp(destination.c_str(), nullptr, 1, &src, options.get(), &usage);
    const bool ok = out != nullptr && usage == 0;
    if (out != nullptr) GDALClose(out);
    GDALClose(src);
    return ok;
}

struct grid_case {
    const char* grid;
    const char* method; // what the grid calls for from a 0.1 degree source
};

TEST(PolarGridWarp, EveryGridMatchesGdalsOwnWarpOnAtLeast999PerMille)
{
    for (const grid_case& g : {grid_case{"native", "bilinear"}, grid_case{"nsidc-25km", "average"},
                               grid_case{"nsidc-12.5km", "average"}, grid_case{"ease2-25km", "average"}}) {
        SCOPED_TRACE(g.grid);
        cli_scene scene;
        const auto r = scene.run({"--geotiff", "--nodata", "--polar-grid", g.grid,
                                  scene.product("AMSR2_L3_BT", "bt.h5", {{"grid", "latlon_0.1"}})});
        ASSERT_EQ(r.status, 0) << r.out;
        for (const char* hemisphere : {"_N.tif", "_S.tif"}) {
            const raster_file ours(scene.out() / (std::string("bt_BT_H") + hemisphere));
            ASSERT_TRUE(ours.is_open());
            const fs::path theirsPath = scene.out() / (std::string("gdalwarp") + hemisphere);
            ASSERT_TRUE(gdal_warp(scene.out() / "bt_BT_H.tif", ours, theirsPath, g.method, "65535", "65535"));
            const raster_file theirs(theirsPath);
            const auto a = ours.band(1);
            const auto b = theirs.band(1);
            ASSERT_EQ(a.size(), b.size());
            std::size_t equal = 0;
            std::size_t data = 0;
            for (std::size_t i = 0; i < a.size(); ++i) {
                if (a[i] == b[i]) ++equal;
                if (b[i] != 65535.0) ++data;
            }
            EXPECT_GT(data, a.size() / 10) << hemisphere;
            EXPECT_GE(double(equal), 0.999 * double(a.size())) << hemisphere << ": " << equal << " of " << a.size();
        }
    }
}

} // namespace

} // namespace vardane
