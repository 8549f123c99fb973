// Global latitude/longitude rasters reprojected to polar-stereographic
// GeoTIFFs: marker blocks found where PROJ puts them, files and temporaries.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>
#include <proj.h>

#include "output/output_test_support.h"
#include "output/polar/padded_grid.h"
#include "output/spout.h"

namespace vardane {

using namespace output_test;

namespace {

struct marker {
    double lat, lon;
    float value;
};
constexpr marker kMarkers[] = {{75, 30, 500}, {-70, -120, 600}};

// Background 1, and a block of 3 x 12 degrees round each marker, big enough
// to survive the thinning and two nearest-neighbour warps.
std::vector<float> global_grid(int width, int height, double west)
{
    std::vector<float> v(std::size_t(width) * height, 1.0f);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const double lat = 90 - (r + 0.5) * 180 / height, lon = west + (c + 0.5) * 360 / width;
            for (const marker& m : kMarkers) {
                if (std::abs(lat - m.lat) <= 1.5 && std::abs(std::remainder(lon - m.lon, 360)) <= 6)
                    v[r * width + c] = m.value;
            }
        }
    }
    return v;
}

// Pixel (column, row) of (lat, lon) in a file of the hemisphere's projection,
// through PROJ and the file's geotransform.
std::array<double, 2> pixel_of(GDALDataset& ds, bool north, double lat, double lon)
{
    std::unique_ptr<PJ, PJ* (*)(PJ*)> pj(
        proj_create(nullptr, north ? "+proj=stere +lat_0=90 +ellps=WGS84" : "+proj=stere +lat_0=-90 +ellps=WGS84"),
        proj_destroy);
    const PJ_COORD p = proj_trans(pj.get(), PJ_FWD, proj_coord(proj_torad(lon), proj_torad(lat), 0, 0));
    const auto gt = geotransform_of(ds);
    return {(p.xy.x - gt[0]) / gt[1], (p.xy.y - gt[3]) / gt[5]};
}

std::vector<std::string> names_in(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// The one full-size case: 0.1 degrees from 0 to 360, thinned by 6 to 600 x
// 300, turned by half a row and padded to 750 columns.
TEST(PolarGeoTiff, MarkersLandWhereProjPutsThemAndEachFileHoldsItsPole)
{
    temp_dir dir;
    spout out;
    const auto values = global_grid(3600, 1800, 0);
    ASSERT_TRUE(out.init_float(values.data(), attr_of(3600, 1800), grid_info(90, 0, -90, 360)));
    // The padded grid the writer makes of that raster.
    output_raster raster;
    bulk_vector<float> plane(values.begin(), values.end());
    raster.adopt(3600, 1800, std::move(plane));
    const earthPoint_t corners[4] = {{90, 0}, {90, 360}, {-90, 0}, {-90, 360}};
    const auto g = make_padded_grid(raster, RK_FLOAT32, corners, {0, 0.1, 0, 90, 0, -0.1}, false);
    ASSERT_TRUE(g);
    EXPECT_EQ(std::vector<int>({g->step, g->reducedWidth, g->reducedHeight, g->shift, g->cells.width()}),
              std::vector<int>({6, 600, 300, -300, 750}));
    EXPECT_DOUBLE_EQ(g->geoTransform[0], -225.0);

    ASSERT_TRUE(out.gen_GeoTiff_PolarImages(0, dir.file("g_N.tif"), dir.file("g_S.tif"), 0));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"g_N.tif", "g_S.tif"}));
    for (const bool north : {true, false}) {
        auto ds = open_readonly(dir.file(north ? "g_N.tif" : "g_S.tif"));
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetSpatialRef()->GetProjParm(SRS_PP_LATITUDE_OF_ORIGIN), north ? 90 : -90);
        const auto band = read_band<float>(*ds, 1, GDT_Float32);
        const int w = ds->GetRasterXSize();
        const auto pole = pixel_of(*ds, north, north ? 90 : -90, 0);
        EXPECT_EQ(band[std::size_t(pole[1]) * w + std::size_t(pole[0])], 1.0f);
        for (const marker& m : kMarkers) {
            double sc = 0, sr = 0, n = 0;
            for (std::size_t i = 0; i < band.size(); ++i) {
                if (band[i] == m.value) sc += i % w + 0.5, sr += i / w + 0.5, ++n;
            }
            ASSERT_EQ(n > 0, (m.lat > 0) == north) << m.value;
            if (n == 0) continue;
            const auto want = pixel_of(*ds, north, m.lat, m.lon);
            EXPECT_NEAR(sc / n, want[0], 2.0);
            EXPECT_NEAR(sr / n, want[1], 2.0);
        }
    }
}

TEST(PolarGeoTiff, ModesRefusalsAndFailuresLeaveOnlyTheirResults)
// clang-format off
{
    struct mode_case {
        const char* what; double east; std::int32_t mode; const char* north; const char* south; bool written;
        std::vector<std::string> files;
    };
    const mode_case cases[] = {
        {"north only, no south name", 180, 1, "a_N.tif", "", true, {"a_N.tif"}},
        {"south only", 180, 2, "b_N.tif", "b_S.tif", true, {"b_S.tif"}},
        {"south without a name", 180, 2, "c_N.tif", "", false, {}},
        {"not global", 170, 0, "d_N.tif", "d_S.tif", false, {}},
        {"south folder missing", 180, 0, "e_N.tif", "missing/e_S.tif", false, {}},
        {"north name taken by a folder", 180, 1, "f_N.tif", "", false, {"f_N.tif"}},
    };
    spout out;
    const auto values = global_grid(360, 180, -180);
    for (const mode_case& c : cases) {
        SCOPED_TRACE(c.what);
        temp_dir here;
        if (!c.written && !c.files.empty()) std::filesystem::create_directory(here / c.files[0]);
        ASSERT_TRUE(out.init_float(values.data(), attr_of(360, 180), grid_info(90, -180, -90, c.east)));
        const auto path = [&](const char* name) { return *name ? here.file(name) : std::string(); };
        EXPECT_EQ(out.gen_GeoTiff_PolarImages(c.mode, path(c.north), path(c.south), 0), c.written);
        EXPECT_EQ(names_in(here.path()), c.files);
    }
}
// clang-format on

} // namespace vardane
