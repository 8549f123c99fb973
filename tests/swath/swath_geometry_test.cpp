// The co-registration of low-frequency footprints against the spherical
// geometry worked out here, the windows of scenes and tiles, and a grid
// drawn by several threads at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "output/output_raster.h"
#include "output/swath/amsr2latlon.h"
#include "output/swath/cell_walk.h"
#include "output/swath/coregistration_cache.h"
#include "output/swath/corner_value.h"
#include "output/swath/gt_projector.h"
#include "output/swath/position_source.h"
#include "output/swath/swath_windows.h"
#include "output/swath_geolocation.h"
#include "util/trace_stream.h"

namespace vardane {

namespace {

constexpr double kDeg = M_PI / 180.0;

struct unit {
    double x, y, z;
};

unit at(double lat, double lon)
{
    return {std::cos(lat * kDeg) * std::cos(lon * kDeg), std::cos(lat * kDeg) * std::sin(lon * kDeg),
            std::sin(lat * kDeg)};
}

double angle(const unit& a, const unit& b)
{
    return std::acos(std::clamp(a.x * b.x + a.y * b.y + a.z * b.z, -1.0, 1.0));
}

// One scan of 89 GHz A samples: pixel P of the low-frequency band lies
// between samples 2P and 2P + 1.
struct scan89 {
    float_grid lat{4, 2, {10.0f, 10.3f, 10.6f, 10.9f, 20.0f, 20.0f, 20.0f, 20.0f}};
    float_grid lon{4, 2, {100.0f, 100.4f, 100.8f, 101.2f, 50.0f, 50.0f, 50.0f, 50.0f}};
};

} // namespace

TEST(Coregistration, FactorsMoveTheFootprintAlongAndOffTheGreatCircleOfThePair)
{
    const scan89 s;
    const unit p1 = at(10.0, 100.0);
    const unit p2 = at(10.3, 100.4);
    const double theta = angle(p1, p2);
    // The pole of the great circle through the pair: the point a quarter
    // turn from both, on the side of p1 x p2.
    const unit n{p1.y * p2.z - p1.z * p2.y, p1.z * p2.x - p1.x * p2.z, p1.x * p2.y - p1.y * p2.x};
    const double nn = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);

    struct factors {
        float a1, a2;
    };
    for (const auto f : {factors{0.0f, 0.0f}, factors{0.5f, 0.0f}, factors{0.52f, -0.09f}, factors{-0.12f, 0.03f}}) {
        SCOPED_TRACE(::testing::Message() << f.a1 << " " << f.a2);
        float lon = 0, lat = 0;
        amsr2latlon_(s.lat, s.lon, f.a1, f.a2, 0, 0, lon, lat);
        const unit r = at(lat, lon);
        // Off the circle by A2 times the pair's distance, along it by A1:
        // a right spherical triangle with the first sample.
        const double off = std::asin((r.x * n.x + r.y * n.y + r.z * n.z) / nn);
        EXPECT_NEAR(off, f.a2 * theta, 1e-6);
        EXPECT_NEAR(std::cos(angle(r, p1)), std::cos(f.a1 * theta) * std::cos(f.a2 * theta), 1e-7);
        EXPECT_NEAR(angle(r, p2), std::abs(1.0 - f.a1) * theta, 1e-6 + std::abs(f.a2) * theta);
    }
    // No factors: exactly the first sample of the pair.
    float lon = 0, lat = 0;
    amsr2latlon_(s.lat, s.lon, 0.0f, 0.0f, 0, 0, lon, lat);
    EXPECT_FLOAT_EQ(lat, 10.0f);
    EXPECT_FLOAT_EQ(lon, 100.0f);
}

TEST(Coregistration, APairBeyondThePoleWarnsWithNumbersFromOne)
{
    scan89 s;
    s.lat.values[6] = 90.5f; // scan 1, sample 2: low-frequency pixel 1
    float lon = 0, lat = 0;
    ::testing::internal::CaptureStdout();
    amsr2latlon_(s.lat, s.lon, 0.5f, 0.0f, 1, 1, lon, lat);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "amsr2latlon: out of range warning: latlon1(90.500000,50.000000)->latlon2(20.000000,50.000000) "
                       "(low_pixel_by_1origin=2,scan_by_1origin=2)\n");
    EXPECT_EQ(lon, -9999.0f);
    EXPECT_EQ(lat, -9999.0f);
}

// A full orbit's footprints are shared among the cores, and the bands of a
// product made together: each position must be the one the footprint gives
// alone with its band's factors, lost footprints included. A band made
// with another is taken from the cache; changed factors make it again.
// Each band warns of its lost footprint once, when first asked for.
TEST(Coregistration, PositionsWorkedOutTogetherAreEachFootprintsAlone)
{
    constexpr std::int32_t kScans = 1200, kPixels = 243; // cells enough for two cores
    float_grid lat{2 * kPixels, kScans, {}};
    float_grid lon{2 * kPixels, kScans, {}};
    for (std::int32_t s = 0; s < kScans; ++s) {
        for (std::int32_t c = 0; c < 2 * kPixels; ++c) {
            lat.values.push_back(-80.0f + 160.0f * float(s) / kScans + 0.01f * float(c % 7));
            lon.values.push_back(-179.5f + 359.0f * float(c) / (2 * kPixels) + 0.02f * float(s % 5));
        }
    }
    lat.values[std::size_t(kScans / 2) * 2 * kPixels + 10] = 95.0f; // a lost pair
    const auto differing = [&](const coregistration_cache::entry& e, float a1, float a2) {
        std::size_t count = 0;
        for (std::int32_t s = 0; s < kScans; ++s) {
            for (std::int32_t p = 0; p < kPixels; ++p) {
                float aloneLon = 0.0f, aloneLat = 0.0f;
                amsr2latlon_(lat, lon, a1, a2, s, p, aloneLon, aloneLat);
                const std::size_t at = std::size_t(s) * kPixels + std::size_t(p);
                count += e.lon.values[at] != aloneLon || e.lat.values[at] != aloneLat;
            }
        }
        return count;
    };
    const std::vector<band_factors> bands{{"6G", 0.52f, -0.1f}, {"36G", 0.4f, 0.25f}};
    // Warnings (tracing is on) of a band's lost footprint come when it is first asked for.
    const auto asking = [&](coregistration_cache& cache, const band_factors& band) {
        ::testing::internal::CaptureStdout();
        const auto& e = coregistered_positions(cache, lat, lon, band, bands, kScans, kPixels);
        const std::string warned = ::testing::internal::GetCapturedStdout();
        return std::pair<const coregistration_cache::entry&, std::string>{e, warned};
    };
    const std::string lostPair = "(low_pixel_by_1origin=6,scan_by_1origin=601)\n";
    coregistration_cache cache;
    const auto [six, sixWarned] = asking(cache, bands[0]);
    EXPECT_EQ(std::ranges::count(sixWarned, '\n'), 1);
    EXPECT_TRUE(sixWarned.ends_with(lostPair)) << sixWarned;
    EXPECT_EQ(differing(six, 0.52f, -0.1f), 0u);
    EXPECT_EQ(six.lat.values[std::size_t(kScans / 2) * kPixels + 5], -9999.0f);
    ASSERT_EQ(cache.bands.size(), 2u);
    const auto& made = cache.bands.at("36G");
    const float* kept = made.lat.values.data();
    const auto [thirtySix, thirtySixWarned] = asking(cache, bands[1]);
    EXPECT_EQ(&thirtySix, &made);
    EXPECT_EQ(thirtySix.lat.values.data(), kept);
    EXPECT_TRUE(thirtySixWarned.ends_with(lostPair)) << thirtySixWarned;
    EXPECT_EQ(differing(thirtySix, 0.4f, 0.25f), 0u);
    EXPECT_EQ(asking(cache, bands[1]).second, "");
    const auto [moved, movedWarned] = asking(cache, {"36G", 0.3f, 0.25f});
    EXPECT_EQ(differing(moved, 0.3f, 0.25f), 0u);
    EXPECT_TRUE(movedWarned.ends_with(lostPair)) << movedWarned;
    // Without tracing, nothing is printed.
    set_trace_enabled(false);
    coregistration_cache quiet;
    EXPECT_EQ(asking(quiet, bands[0]).second, "");
    set_trace_enabled(true);
}

// A part of a swath's lines placed by itself (a chunk asked for alone) makes
// those scans of every band, once, and no other: the whole orbit's would
// cost the part's wait many times over. Each position must be the one the
// footprint gives alone, lost footprints included, whether made with a part
// or later with the rest of the band.
TEST(Coregistration, APartOfTheScansIsMadeForEveryBandAndTheRestWhenTheWholeIsAsked)
{
    constexpr std::int32_t kScans = 300, kPixels = 243;
    swath_geolocation geo;
    float_grid& lat = geo.fvals["lat89A"];
    float_grid& lon = geo.fvals["lon89A"];
    lat = {2 * kPixels, kScans, {}};
    lon = {2 * kPixels, kScans, {}};
    for (std::int32_t s = 0; s < kScans; ++s) {
        for (std::int32_t c = 0; c < 2 * kPixels; ++c) {
            lat.values.push_back(-70.0f + 140.0f * float(s) / kScans + 0.01f * float(c % 7));
            lon.values.push_back(-179.5f + 359.0f * float(c) / (2 * kPixels) + 0.02f * float(s % 5));
        }
    }
    constexpr std::int32_t kLostScan = 120;
    lat.values[std::size_t(kLostScan) * 2 * kPixels + 10] = 95.0f; // a lost pair
    geo.corA1 = {{"6G", 0.52f}, {"36G", 0.4f}};
    geo.corA2 = {{"6G", -0.1f}, {"36G", 0.25f}};
    const raster_size size{kScans, kPixels};
    // Positions of lines [first, first + count), differing from each footprint alone.
    const auto differing = [&](const position_source& positions, std::int32_t k, std::int32_t first,
                               std::int32_t count) {
        const float a1 = k == 0 ? 0.52f : 0.4f, a2 = k == 0 ? -0.1f : 0.25f;
        std::vector<float> lonLine(kPixels), latLine(kPixels);
        std::size_t differ = 0;
        for (std::int32_t L = first; L < first + count; ++L) {
            positions.line(L, kPixels, lonLine.data(), latLine.data());
            for (std::int32_t p = 0; p < kPixels; ++p) {
                float aloneLon = 0.0f, aloneLat = 0.0f;
                amsr2latlon_(lat, lon, a1, a2, L, p, aloneLon, aloneLat);
                differ += lonLine[std::size_t(p)] != aloneLon || latLine[std::size_t(p)] != aloneLat;
            }
        }
        return differ;
    };
    const auto made_scans = [&](std::string_view band) {
        const auto& made = geo.coregistered->bands.find(band)->second.made;
        std::vector<std::int32_t> scans;
        for (std::size_t s = 0; s < made.size(); ++s) {
            if (made[s]) scans.push_back(std::int32_t(s));
        }
        return scans;
    };
    std::vector<std::int32_t> part(60);
    std::iota(part.begin(), part.end(), 100);
    ::testing::internal::CaptureStdout();
    const auto some = positions_for(geo, size, PT_AMSR2_L1B, 0, row_span{100, 60}); // 6.9 GHz H
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    ASSERT_NE(some, nullptr);
    ASSERT_EQ(geo.coregistered->bands.size(), 6u); // the product's six bands, 6G to 36G
    for (const auto& [band, entry] : geo.coregistered->bands) EXPECT_EQ(made_scans(band), part) << band;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(differing(*some, 0, 100, 60), 0u);
    const auto sameLines = positions_for(geo, size, PT_AMSR2_L1B, 11, row_span{100, 60}); // 36.5 GHz V
    EXPECT_EQ(differing(*sameLines, 11, 100, 60), 0u);
    const auto whole = positions_for(geo, size, PT_AMSR2_L1B, 11);
    ::testing::internal::GetCapturedStdout();
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(made_scans("6G").size(), std::size_t(kScans));
    EXPECT_EQ(differing(*whole, 11, 0, kScans), 0u);
    EXPECT_EQ(differing(*positions_for(geo, size, PT_AMSR2_L1B, 0), 0, 0, kScans), 0u);
    // Lines past the raster are placed by nothing.
    EXPECT_EQ(positions_for(geo, size, PT_AMSR2_L1B, 0, row_span{290, 20}), nullptr);
}

TEST(SwathWindows, ScenesAndTilesGiveTheirWindows)
{
    struct window_case {
        const char* what;
        std::vector<view_t> got;
        std::vector<view_t> expected;
    };
    const auto eq = [](const view_t& a, const view_t& b) {
        return a.width == b.width && a.height == b.height && a.lon_min == b.lon_min && a.lat_min == b.lat_min
               && a.lon_max == b.lon_max && a.lat_max == b.lat_max && a.suffix == b.suffix;
    };
    const window_case cases[] = {
        // 10 degrees at 0.002: 4999 pixels (the reciprocal is a hair short of 500).
        {"scene",
         extent_windows({30.2f, 39.9f, 30.2f, 39.9f}, {130.5f, 130.5f, 139.5f, 139.5f}),
         {{4999, 4999, 130, 30, 140, 40, ""}}},
        // From 170 east across the date line to -170: two windows, the lost
        // position left out.
        {"scene across 180",
         extent_windows({10.5f, 19.5f, 10.5f, -9999.0f, 19.5f}, {170.2f, 170.2f, -170.3f, -9999.0f, -170.3f}),
         {{4999, 4999, 170, 10, 180, 20, "_1"}, {4999, 4999, -180, 10, -170, 20, "_2"}}},
        // Tile (v 5, h 29) at exactly 1/480 degree: 30 by 10 degrees.
        {"tile", tile_windows(5, 29), {{14400, 4800, 127, 30, 157, 40, ""}}},
        // Top row: the pole's longitudes are 0, the bottom edge gives west.
        {"top tile", tile_windows(0, 17), {{27840, 4800, -58, 80, 0, 90, ""}}},
        {"no position", extent_windows({-9999.0f}, {-9999.0f}), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.got.size(), c.expected.size());
        for (std::size_t i = 0; i < c.got.size(); ++i) {
            EXPECT_TRUE(eq(c.got[i], c.expected[i]))
                << c.got[i].width << "x" << c.got[i].height << " " << c.got[i].lon_min << " " << c.got[i].lat_min << " "
                << c.got[i].lon_max << " " << c.got[i].lat_max << " '" << c.got[i].suffix << "'";
        }
    }
}

// Radiance counts of a scene carry flag bits above a 14-bit count; the
// count outside its valid range (missing 16383, saturated 16382) is no value.
TEST(CornerValue, FlagsAreMaskedOffAndCountsOutOfRangeAreNoValue)
{
    const auto cell = [](std::uint16_t u) {
        XVal_t x{};
        x.u16 = u;
        return x;
    };
    dataAttr_t real{};
    real.mask = 0x3FFF;
    real.minValidDN = 0;
    real.maxValidDN = 16381;
    const corner_value value(RK_UINT16, real);
    EXPECT_EQ(value(cell(5000)), 5000);
    EXPECT_EQ(value(cell(0x4000 | 5000)), 5000); // a flag in bit 14
    EXPECT_EQ(value(cell(16381)), 16381);
    EXPECT_EQ(value(cell(16382)), 65535);
    EXPECT_EQ(value(cell(16383)), 65535);
    EXPECT_EQ(value(cell(0x8000 | 16383)), 65535);
    EXPECT_EQ(value(cell(65535)), 65535);

    // A range that spans the whole word keeps the fill and masks the rest.
    dataAttr_t wide = real;
    wide.maxValidDN = 65534;
    const corner_value loose(RK_UINT16, wide);
    EXPECT_EQ(loose(cell(0xC000 | 100)), 100);
    EXPECT_EQ(loose(cell(65535)), 65535);

    // Without a mask every value is its own.
    const corner_value plain(RK_UINT16, dataAttr_t{});
    EXPECT_EQ(plain(cell(16383)), 16383);
}

namespace {

// The grid a projector holds, bytes widened, and the number of its pixels
// some cell reached.
std::vector<std::uint16_t> grid_of(gt_projector& projector, std::size_t& drawn)
{
    const auto sixteen = projector.take_samples16();
    const auto bytes = projector.take_samples8();
    std::vector<std::uint16_t> grid(sixteen.begin(), sixteen.end());
    grid.insert(grid.end(), bytes.begin(), bytes.end());
    drawn = std::size_t(std::count_if(grid.begin(), grid.end(), [&](auto v) { return v != projector.nodata(); }));
    return grid;
}

// The grid one walk of the raster's cells leaves in a projector of the window.
std::vector<std::uint16_t> walked_grid(std::int32_t kind, const view_t& window, cell_fill how,
                                       const position_source& positions, const output_raster& raster,
                                       const corner_value& value, std::size_t& drawn)
{
    gt_projector projector(kind, window.width, window.height, how);
    EXPECT_TRUE(projector.setView(window));
    walk_cells(projector, positions, raster, value);
    return grid_of(projector, drawn);
}

// A swath that crosses the date line and passes near a pole, with cells
// from much smaller than a pixel to many pixels tall; one of its positions
// is lost.
struct turning_swath {
    static constexpr std::int32_t kLines = 90;
    static constexpr std::int32_t kPixels = 40;
    float_grid lat{kPixels, kLines, std::vector<float>(std::size_t(kLines) * kPixels)};
    float_grid lon = lat;

    turning_swath()
    {
        for (std::int32_t l = 0; l < kLines; ++l) {
            for (std::int32_t p = 0; p < kPixels; ++p) {
                const std::size_t at = std::size_t(l) * kPixels + std::size_t(p);
                // Lines run north to 88 degrees and back, pixels spread wider
                // along some lines than others; the swath turns across the date line.
                lat.values[at] = float(88.0 - std::abs(l - 45) * 3.9 + (p - 20) * 0.15 * std::cos(l * 0.1));
                lon.values[at] = float(std::fmod(150.0 + l * 1.7 + p * (0.05 + 0.1 * (l % 7)) + 540.0, 360.0) - 180.0);
            }
        }
        lat.values[std::size_t(30) * kPixels + 5] = -9999.0f; // a lost position leaves its cells out
    }

    // A raster of the swath's size, its values varied by `seed`; with
    // `holes`, some samples are the nodata of the kind.
    static output_raster raster(std::int32_t kind, int seed, bool holes)
    {
        output_raster raster;
        raster.reset(kPixels, kLines);
        for (std::int32_t l = 0; l < kLines; ++l) {
            for (std::int32_t p = 0; p < kPixels; ++p) {
                const bool hole = holes && (l * 13 + p * 5 + seed) % 17 == 0;
                if (kind == RK_BYTE) {
                    raster.at(l, p).bytes[0] = hole ? 255 : std::uint8_t((l * 7 + p + seed) % 200);
                } else {
                    raster.at(l, p).u16 = hole ? 65535 : std::uint16_t(1000 + l * 37 + p * 11 + seed * 101);
                }
            }
        }
        return raster;
    }

    static constexpr std::array<view_t, 2> kWindows{view_t{360, 180, -180, -90, 180, 90, ""},
                                                    view_t{97, 61, -170, 30, -100, 90, ""}};
};

} // namespace

// Drawn whole and in bands of rows by several threads: every pixel is the
// same, those the cells of two bands reach, those of overlapping cells (the
// later cell wins) and those drawn on both sides of the date line among them.
TEST(CellWalk, ThreadsDrawingBandsOfRowsLeaveTheGridOfOneWalk)
{
    const turning_swath swath;
    const array_positions positions(swath.lat, swath.lon, 1);
    for (const std::int32_t kind : {RK_UINT16, RK_BYTE}) {
        const output_raster raster = turning_swath::raster(kind, 0, false);
        const corner_value value(kind, dataAttr_t{});
        for (const view_t& window : turning_swath::kWindows) {
            for (const cell_fill how : {cell_fill::blend, cell_fill::nearest}) {
                std::size_t drawn = 0;
                const std::vector<std::uint16_t> expected =
                    walked_grid(kind, window, how, positions, raster, value, drawn);
                EXPECT_GT(drawn, 200u) << window.width;
                // More threads than rows: one band a row.
                for (const unsigned threads : {1u, 2u, 3u, 7u, 500u}) {
                    gt_projector banded(kind, window.width, window.height, how);
                    ASSERT_TRUE(banded.setView(window));
                    walk_cells_in_bands(banded, positions, raster, value, threads);
                    EXPECT_EQ(grid_of(banded, drawn), expected) << threads << " threads, " << window.width;
                }
            }
        }
    }
}

// Every cell of the swath put into the projector one by one, as it comes:
// what the walk must leave, the cells it passes over without drawing (the
// lines outside the window, the cells between two rows or two columns of
// pixel centres) among them.
std::vector<std::uint16_t> drawn_cell_by_cell(std::int32_t kind, const view_t& window, cell_fill how,
                                              const float_grid& lat, const float_grid& lon, const output_raster& raster,
                                              const corner_value& value)
{
    gt_projector projector(kind, window.width, window.height, how);
    EXPECT_TRUE(projector.setView(window));
    const auto corner = [&](std::int32_t l, std::int32_t p) {
        const std::size_t at = std::size_t(l) * std::size_t(lat.width) + std::size_t(p);
        return point_t{lon.values[at], lat.values[at], value(raster.cell(l, p)), false};
    };
    for (std::int32_t l = 0; l + 1 < lat.height; ++l) {
        for (std::int32_t p = 0; p + 1 < lat.width; ++p) {
            projector.put_val_bl({corner(l, p), corner(l + 1, p), corner(l + 1, p + 1), corner(l, p + 1)}, false);
        }
    }
    std::size_t drawn = 0;
    return grid_of(projector, drawn);
}

// The walk draws what putting every cell in the projector draws, samples
// missing here and there: over the date line and near a pole; on a lattice of positions a quarter of a
// pixel apart whose corners lie on pixel centres and on the lines between
// them; and a cell east of 180 degrees that lies between two columns of
// centres there but holds one when drawn again a turn to the west, in a
// window whose columns do not divide the turn.
TEST(CellWalk, TheWalkDrawsWhatEveryCellPutInTurnDraws)
{
    float_grid beyondLat{2, 2, {61.1f, 61.1f, 59.9f, 59.9f}};
    float_grid beyondLon{2, 2, {180.3f, 180.6f, 180.3f, 180.6f}};
    {
        const view_t west{97, 61, -180, 30, -100, 90, ""};
        output_raster raster;
        raster.reset(2, 2);
        for (std::int32_t c = 0; c < 4; ++c) raster.at(c / 2, c % 2).u16 = std::uint16_t(100 + c);
        const corner_value value(RK_UINT16, dataAttr_t{});
        gt_projector walked(RK_UINT16, west.width, west.height, cell_fill::blend);
        ASSERT_TRUE(walked.setView(west));
        walk_cells(walked, array_positions(beyondLat, beyondLon, 1), raster, value);
        std::size_t drawn = 0;
        const std::vector<std::uint16_t> grid = grid_of(walked, drawn);
        EXPECT_GT(drawn, 0u);
        EXPECT_EQ(grid, drawn_cell_by_cell(RK_UINT16, west, cell_fill::blend, beyondLat, beyondLon, raster, value));
    }

    const turning_swath turning;
    float_grid latticeLat{41, 33, std::vector<float>(41 * 33)};
    float_grid latticeLon = latticeLat;
    for (std::int32_t l = 0; l < latticeLat.height; ++l) {
        for (std::int32_t p = 0; p < latticeLat.width; ++p) {
            const std::size_t at = std::size_t(l) * 41 + std::size_t(p);
            latticeLat.values[at] = 60.0f - float(l) * 0.25f;
            const float east = 175.0f + float(p) * 0.25f; // 180 itself at p = 20
            latticeLon.values[at] = east > 180.0f ? east - 360.0f : east;
        }
    }
    const std::pair<const float_grid*, const float_grid*> swaths[] = {{&turning.lat, &turning.lon},
                                                                      {&latticeLat, &latticeLon}};
    for (const auto& [lat, lon] : swaths) {
        const array_positions positions(*lat, *lon, 1);
        output_raster raster;
        raster.reset(lat->width, lat->height);
        for (std::int32_t l = 0; l < lat->height; ++l) {
            for (std::int32_t p = 0; p < lat->width; ++p) {
                // Some samples missing: the cells around them are left out.
                raster.at(l, p).u16 = (l * 13 + p * 5) % 17 == 0 ? 65535 : std::uint16_t(500 + l * 29 + p * 13);
            }
        }
        const corner_value value(RK_UINT16, dataAttr_t{});
        for (const view_t& window : turning_swath::kWindows) {
            for (const cell_fill how : {cell_fill::blend, cell_fill::nearest}) {
                std::size_t drawn = 0;
                EXPECT_EQ(walked_grid(RK_UINT16, window, how, positions, raster, value, drawn),
                          drawn_cell_by_cell(RK_UINT16, window, how, *lat, *lon, raster, value))
                    << lat->width << " pixels, window " << window.width;
                if (lat == &latticeLat && window.width == 360) {
                    EXPECT_GT(drawn, 50u);
                }
            }
        }
    }
}

// Grids drawn from the same positions in one walk, each with missing
// samples of its own (a cell missing a corner in one grid is drawn in the
// others), and more of them than are filled from a cell at once: each
// grid is the one its own walk leaves, in one band or in several.
TEST(CellWalk, GridsWalkedTogetherAreTheGridsWalkedAlone)
{
    const turning_swath swath;
    const array_positions positions(swath.lat, swath.lon, 1);
    constexpr int kGrids = 19;
    for (const std::int32_t kind : {RK_UINT16, RK_BYTE}) {
        std::vector<output_raster> rasters;
        for (int k = 0; k < kGrids; ++k) rasters.push_back(turning_swath::raster(kind, k, k % 3 != 2));
        const corner_value value(kind, dataAttr_t{});
        for (const view_t& window : turning_swath::kWindows) {
            for (const cell_fill how : {cell_fill::blend, cell_fill::nearest}) {
                std::vector<std::vector<std::uint16_t>> alone;
                for (const output_raster& raster : rasters) {
                    std::size_t drawn = 0;
                    alone.push_back(walked_grid(kind, window, how, positions, raster, value, drawn));
                    EXPECT_GT(drawn, 200u);
                }
                ASSERT_NE(alone[0], alone[1]);
                for (const unsigned threads : {1u, 3u}) {
                    std::vector<gt_projector> projectors(kGrids, gt_projector(kind, window.width, window.height, how));
                    std::vector<drawn_grid> grids;
                    for (int k = 0; k < kGrids; ++k) {
                        ASSERT_TRUE(projectors[std::size_t(k)].setView(window));
                        grids.push_back(drawn_grid{projectors[std::size_t(k)], rasters[std::size_t(k)], value});
                    }
                    walk_cells_in_bands(grids, positions, threads);
                    for (int k = 0; k < kGrids; ++k) {
                        std::size_t drawn = 0;
                        EXPECT_EQ(grid_of(projectors[std::size_t(k)], drawn), alone[std::size_t(k)])
                            << "grid " << k << ", " << threads << " threads, " << window.width;
                    }
                }
            }
        }
    }
}

} // namespace vardane
