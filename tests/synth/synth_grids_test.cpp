// Gridded products read back: L3 grids, GSMaP and DPR layouts, and the marker
// at its documented position.
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "l3_grids.h"
#include "synth_known_values.h"
#include "synth_test_support.h"

namespace vardane {

using namespace synth_test;
namespace sk = synth_known;

// Recognition of every grid variant, the projection it stands for and the
// reading of its layers are the reader's sweep over the synthetic products.
TEST(L3Grids, EveryGridHasItsMarkerCellAndVWarmerThanH)
{
    temp_dir dir;
    for (const auto& g : synth_l3::all_l3_grids()) {
        if (g.width == 3600) continue; // the full-size grid is checked by the slow test
        SCOPED_TRACE(std::string(g.name));
        const auto path = dir.file(std::string(g.name) + ".h5");
        ASSERT_TRUE(write_kind("AMSR2_L3_BT", path, options({{"grid", std::string(g.name)}})));
        H5::H5File f(path, H5F_ACC_RDONLY);
        const auto h = read_all<std::uint16_t>(f, "Brightness Temperature (H)");
        const auto v = read_all<std::uint16_t>(f, "Brightness Temperature (V)");
        const auto m = sk::l3_marker_cell(g.width, g.height);
        ASSERT_TRUE(m.has_value());
        const auto at = m->first * static_cast<std::size_t>(g.width) + m->second;
        EXPECT_EQ(h[at], sk::kMarkerU16);
        EXPECT_EQ(v[at], sk::kMarkerU16);
        // V is warmer than H over the sea on average, and there are gaps.
        double sh = 0, sv = 0;
        for (std::size_t i = 0; i < h.size(); ++i) {
            if (h[i] != sk::kFillU16 && v[i] != sk::kFillU16) sh += h[i], sv += v[i];
        }
        EXPECT_GT(sv, sh);
    }
}

TEST(L3Grids, LatLonMarkerCellFollowsTheGridOrigin)
{
    // Row 0 is the northern edge, column 0 starts at longitude 0.
    const auto expect_cell = [](int w, int h, std::size_t row, std::size_t col) {
        const auto m = sk::l3_marker_cell(w, h);
        ASSERT_TRUE(m) << w;
        EXPECT_EQ(m->first, row) << w;
        EXPECT_EQ(m->second, col) << w;
    };
    expect_cell(3600, 1800, static_cast<std::size_t>(std::floor((90.0 - sk::kMarkerLat) / 0.1)), 1390);
    expect_cell(1440, 720, 219, 556);
    EXPECT_FALSE(sk::l3_marker_cell(2000, 1000));
}

TEST(L3Grids, PolarStereographicAgreesWithProj)
{
    for (const auto& g : synth_l3::all_l3_grids()) {
        if (g.projection == synth_l3::grid_projection::latlon) continue;
        const bool south = g.projection == synth_l3::grid_projection::polar_south;
        OGRSpatialReference ps;
        const std::string def = std::string("+proj=stere +lat_0=") + (south ? "-90" : "90")
                                + " +lat_ts=" + (south ? "-70" : "70") + " +lon_0=" + std::to_string(g.pole_longitude)
                                + " +a=6378273 +b=6356889.449 +units=m +no_defs";
        ASSERT_EQ(ps.importFromProj4(def.c_str()), OGRERR_NONE);
        ps.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        // Same ellipsoid for both so that only the projection is compared.
        OGRSpatialReference geo_hughes;
        geo_hughes.importFromProj4("+proj=longlat +a=6378273 +b=6356889.449 +no_defs");
        geo_hughes.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(&geo_hughes, &ps));
        ASSERT_TRUE(t);
        for (const double lat : {55.0, 72.0, 85.0}) {
            for (const double lon : {-170.0, -45.0, 20.0, 135.0}) {
                const synth_l3::lat_lon p{south ? -lat : lat, lon};
                double x = lon;
                double y = p.lat;
                ASSERT_TRUE(t->Transform(1, &x, &y));
                const auto q = synth_l3::polar_forward(g, p);
                EXPECT_NEAR(q.x, x, 1.0) << g.name << " " << p.lat << "," << lon;
                EXPECT_NEAR(q.y, y, 1.0) << g.name << " " << p.lat << "," << lon;
                const auto back = synth_l3::polar_inverse(g, q);
                EXPECT_NEAR(back.lat, p.lat, 1e-7);
                EXPECT_NEAR(std::remainder(back.lon - lon, 360.0), 0.0, 1e-7);
            }
        }
    }
}

TEST(L3Grids, GeophysicalLayersAndUnknownSizes)
{
    temp_dir dir;
    const auto path = dir.file("gd.h5");
    ASSERT_TRUE(
        write_kind("AMSRE_L3_GD", path, options({{"grid", "nsidc_south_25km"}, {"geo", "SIC"}, {"layers", "2"}})));
    H5::H5File f(path, H5F_ACC_RDONLY);
    EXPECT_EQ(read_string_attr(f, "GeophysicalName"), "Sea Ice Concentration");
    EXPECT_EQ(dims_of(f.openDataSet("Geophysical Data")), (std::vector<hsize_t>{332, 316, 2}));
    const auto v = read_all<std::int16_t>(f, "Geophysical Data");
    const auto m = sk::l3_marker_cell(316, 332);
    ASSERT_TRUE(m);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(v[(m->first * 316 + m->second) * 2 + k], sk::kMarkerI16);
        EXPECT_EQ(v[2 + k], sk::kTagBase + k);
    }
    // Sea ice only over the sea: land cells are fill.
    EXPECT_GT(std::count(v.begin(), v.end(), sk::kFillI16), 100);

    // A size that is none of the grids is still written, for rejection tests.
    EXPECT_TRUE(write_kind("AMSR2_L3_BT", dir.file("odd.h5"), options({{"grid", "200x100"}})));
}

TEST(GpmGrids, GsmapIsStoredTransposedWithTheMarkerAtItsPosition)
{
    temp_dir dir;
    for (const auto* kind : {"GSMAP_HOURLY", "GSMAP_MONTHLY"}) {
        const auto path = dir.file(std::string(kind) + ".h5");
        ASSERT_TRUE(write_kind(kind, path));
        H5::H5File f(path, H5F_ACC_RDONLY);
        const std::string ds =
            std::string(kind) == "GSMAP_HOURLY" ? "/Grid/hourlyPrecipRate" : "/Grid/monthlyPrecipRate";
        EXPECT_EQ(dims_of(f.openDataSet(ds)), (std::vector<hsize_t>{360, 180}));
        const auto v = read_all<float>(f, ds);
        const auto m = sk::gsmap_marker_cell(360, 180);
        EXPECT_EQ(m.first, 319u);  // 139.05 E, one-degree cells from -180
        EXPECT_EQ(m.second, 125u); // 35.05 N, cells from -90
        EXPECT_EQ(v[m.first * 180 + m.second], sk::kMarkerFloat);
        // No data beyond 60 degrees: stored column y = 179 (the north edge) is fill.
        EXPECT_EQ(v[100 * 180 + 179], sk::kFillFloat);
        EXPECT_GE(v[100 * 180 + 90], 0.0f);
    }
}

TEST(GpmGrids, DprLayersRanksAndNames)
{
    struct dpr_case {
        const char* kind;
        const char* dataset;
        std::vector<std::pair<std::string, std::string>> variants;
        std::vector<hsize_t> dims;
    };
    const std::vector<dpr_case> cases{
        {"DPR_DAILY", "/GRID/precipRateESurfMean", {}, {2, 3, 360, 134}},
        {"DPR_DAILY", "/GRID/precipRateESurfMean", {{"rank", "3"}, {"layers", "4"}}, {4, 360, 134}},
        {"DPR_MONTHLY", "/Grids/G2/precipRateESurface/mean", {}, {3, 5, 360, 134}},
        {"DPRV7_DAILY", "/GRID/precipRateESurfaceMean", {{"size", "144x67"}}, {2, 3, 144, 67}},
        {"DPRV7_MONTHLY", "/FS/G2/precipRateESurface/mean", {}, {3, 3, 360, 134}},
    };
    temp_dir dir;
    for (const auto& c : cases) {
        const auto path = dir.file("dpr.h5");
        ASSERT_TRUE(write_kind(c.kind, path, options(c.variants))) << c.kind;
        H5::H5File f(path, H5F_ACC_RDONLY);
        ASSERT_EQ(dims_of(f.openDataSet(c.dataset)), c.dims) << c.kind;
        const auto v = read_all<float>(f, c.dataset);
        const hsize_t nlon = c.dims[c.dims.size() - 2], nlat = c.dims.back(), plane = nlon * nlat;
        const std::size_t d0 = c.dims[0], d1 = c.dims.size() == 4 ? c.dims[1] : 1;
        const auto m = sk::dpr_marker_cell(static_cast<int>(nlon), static_cast<int>(nlat));
        for (std::size_t idx = 0; idx < v.size() / plane; ++idx) {
            // Parameter idx is stored at [idx mod d0][idx div d0].
            const std::size_t base = ((idx % d0) * d1 + idx / d0) * plane;
            EXPECT_EQ(v[base], sk::kOriginFloat);
            EXPECT_EQ(v[base + nlat], sk::kTagBase + static_cast<float>(idx)) << c.kind << " " << idx;
            EXPECT_EQ(v[base + m.first * nlat + m.second], sk::kMarkerFloat);
        }
    }
}

} // namespace vardane
