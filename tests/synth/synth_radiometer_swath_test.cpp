// Radiometer swath products read back: names, types, shapes, attributes, known
// values and the orbit geometry of the geolocation.
#include <algorithm>
#include <cmath>
#include <set>

#include "radiometer_names.h"
#include "util/string_utils.h"
#include "synth_known_values.h"
#include "synth_test_support.h"

namespace vardane {

using namespace synth_test;
namespace sk = synth_known;

namespace {

struct swath_case {
    const char* kind;
    int samples89;
};

class SwathKinds : public ::testing::TestWithParam<swath_case> {};

} // namespace

TEST_P(SwathKinds, L1BAndL1RDatasetsHaveTheirTypesShapesScaleAndKnownValues)
{
    const auto c = GetParam();
    temp_dir dir;
    const auto path = dir.file("l1b.h5");
    ASSERT_TRUE(write_kind(std::string(c.kind) + "_L1B", path, options({{"scans", "40"}})));
    H5::H5File f(path, H5F_ACC_RDONLY);
    const auto bands = synth_radiometer::l1_bands();
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const std::string name = "Brightness Temperature (" + bands[i].label + ")";
        H5::DataSet ds = f.openDataSet(name);
        const hsize_t width = i < 12 ? c.samples89 / 2 : c.samples89; // the 89 GHz bands last
        ASSERT_EQ(dims_of(ds), (std::vector<hsize_t>{40, width})) << name;
        EXPECT_FLOAT_EQ(read_attr<float>(ds, "SCALE FACTOR"), sk::kScaleBrightness);
        const auto v = read_all<std::uint16_t>(f, name); // origin and tag: the reader's sweep
        EXPECT_EQ(v[20 * width + width / 2], sk::kMarkerU16) << name;
        // Plausible brightness temperatures and some fill.
        EXPECT_GT(std::count(v.begin(), v.end(), sk::kFillU16), 0) << name;
        const auto plausible =
            std::count_if(v.begin(), v.end(), [](auto x) { return x != sk::kFillU16 && x >= 6000 && x <= 33000; });
        EXPECT_GT(static_cast<std::size_t>(plausible), v.size() * 9 / 10) << name;
    }
    for (const auto name :
         {synth_radiometer::kLat89A, synth_radiometer::kLat89B, synth_radiometer::kLon89A, synth_radiometer::kLon89B}) {
        H5::DataSet ds = f.openDataSet(std::string(name));
        EXPECT_EQ(dims_of(ds), (std::vector<hsize_t>{40, static_cast<hsize_t>(c.samples89)}));
        // Lost and out-of-range points sit where documented.
        const auto geo = read_all<float>(f, std::string(name));
        const auto row = static_cast<std::size_t>(sk::kBadGeoScan) * c.samples89;
        EXPECT_EQ(geo[row + sk::kBadGeoSampleFill], sk::kFillGeolocation) << name;
        const bool latitude = name == synth_radiometer::kLat89A || name == synth_radiometer::kLat89B;
        EXPECT_EQ(geo[row + sk::kBadGeoSampleOver] == sk::kOverLatitude, latitude) << name;
    }
    // Data at a lost position is fill.
    const auto bt = read_all<std::uint16_t>(f, "Brightness Temperature (89.0GHz-A,H)");
    EXPECT_EQ(bt[static_cast<std::size_t>(sk::kBadGeoScan) * c.samples89 + sk::kBadGeoSampleFill], sk::kFillU16);

    // L1R: every band at the low resolution until the original 89 GHz ones.
    const auto l1r_path = dir.file("l1r.h5");
    ASSERT_TRUE(write_kind(std::string(c.kind) + "_L1R", l1r_path, options({{"scans", "10"}})));
    H5::H5File l1r(l1r_path, H5F_ACC_RDONLY);
    const auto l1r_bands = synth_radiometer::l1r_bands();
    for (std::size_t i = 0; i < l1r_bands.size(); ++i) {
        const hsize_t width = i < 36 ? c.samples89 / 2 : c.samples89;
        EXPECT_EQ(dims_of(l1r.openDataSet("Brightness Temperature (" + l1r_bands[i].label + ")")),
                  (std::vector<hsize_t>{10, width}))
            << l1r_bands[i].label;
    }
}

TEST_P(SwathKinds, L2HighAndLowCarryLayersGeophysicalNameAndLowResolutionGeolocation)
{
    const auto c = GetParam();
    temp_dir dir;
    const auto high = dir.file("high.h5");
    const auto low = dir.file("low.h5");
    ASSERT_TRUE(write_kind(std::string(c.kind) + "_L2_HIGH", high, options({{"scans", "20"}, {"layers", "2"}})));
    ASSERT_TRUE(write_kind(std::string(c.kind) + "_L2_LOW", low, options({{"scans", "20"}, {"geo", "SST"}})));
    {
        H5::H5File f(high, H5F_ACC_RDONLY);
        EXPECT_EQ(read_string_attr(f, "GeophysicalName"), "Precipitation");
        for (const std::string name : {"Geophysical Data for 89A", "Geophysical Data for 89B"}) {
            EXPECT_EQ(dims_of(f.openDataSet(name)), (std::vector<hsize_t>{20, static_cast<hsize_t>(c.samples89), 2}));
            const auto v = read_all<std::int16_t>(f, name);
            for (int k = 0; k < 2; ++k) EXPECT_EQ(v[(10 * c.samples89 + c.samples89 / 2) * 2 + k], sk::kMarkerI16);
        }
        EXPECT_FLOAT_EQ(read_attr<float>(f.openDataSet("Geophysical Data for 89A"), "SCALE FACTOR"),
                        sk::geophysical_scale("PRC"));
    }
    {
        H5::H5File f(low, H5F_ACC_RDONLY);
        EXPECT_EQ(read_string_attr(f, "GeophysicalName"), "Sea Surface Temperature");
        EXPECT_EQ(dims_of(f.openDataSet("Geophysical Data")),
                  (std::vector<hsize_t>{20, static_cast<hsize_t>(c.samples89 / 2), 2}));
        EXPECT_EQ(dims_of(f.openDataSet("Latitude of Observation Point")),
                  (std::vector<hsize_t>{20, static_cast<hsize_t>(c.samples89 / 2)}));
        const auto lat = read_all<float>(f, "Latitude of Observation Point");
        EXPECT_EQ(lat[sk::kBadGeoScan * (c.samples89 / 2) + sk::kBadGeoSampleFill / 2], sk::kFillGeolocation);
        // SST has values over the sea only: fill over land.
        const auto v = read_all<std::int16_t>(f, "Geophysical Data");
        EXPECT_GT(std::count(v.begin(), v.end(), sk::kFillI16), static_cast<long>(v.size() / 20));
    }
}

INSTANTIATE_TEST_SUITE_P(Sensors, SwathKinds, ::testing::Values(swath_case{"AMSR2", 486}, swath_case{"AMSRE", 392}),
                         [](const auto& info) { return std::string(info.param.kind); });

TEST(SwathGeometry, HalfOrbitCrossesTheDateLineReachesHighLatitudesAndSpans1450Km)
{
    temp_dir dir;
    const auto path = dir.file("l1a.h5");
    ASSERT_TRUE(write_kind("AMSR2_L1A", path));
    H5::H5File f(path, H5F_ACC_RDONLY);
    const auto lat = read_all<float>(f, "Latitude of Observation Point for 89A");
    const auto lon = read_all<float>(f, "Longitude of Observation Point for 89A");
    const int n = 486;
    ASSERT_EQ(lat.size() % n, 0u);
    const int scans = static_cast<int>(lat.size() / n);
    EXPECT_EQ(scans, 120);
    float max_lat = -90, min_lat = 90;
    bool crosses = false;
    for (int s = 0; s < scans; ++s) {
        for (int p = 0; p < n; ++p) {
            const auto i = static_cast<std::size_t>(s) * n + p;
            if (lat[i] < -90 || lat[i] > 90 || lon[i] < -180) continue;
            max_lat = std::max(max_lat, lat[i]);
            min_lat = std::min(min_lat, lat[i]);
            if (p + 1 < n && lon[i + 1] >= -180 && std::abs(lon[i + 1] - lon[i]) > 300) crosses = true;
        }
    }
    EXPECT_GT(max_lat, 80.0f);
    EXPECT_LT(min_lat, -80.0f);
    EXPECT_TRUE(crosses) << "no neighbouring samples on both sides of 180 degrees";
    // Mid-latitude scan: edge-to-edge distance about 1450 km.
    const int s = scans / 2;
    const auto d = [&](int a, int b) {
        const double k = M_PI / 180;
        const auto i = static_cast<std::size_t>(s) * n;
        const double c =
            std::sin(lat[i + a] * k) * std::sin(lat[i + b] * k)
            + std::cos(lat[i + a] * k) * std::cos(lat[i + b] * k) * std::cos((lon[i + a] - lon[i + b]) * k);
        return 6371.0 * std::acos(std::clamp(c, -1.0, 1.0));
    };
    EXPECT_NEAR(d(0, n - 1), 1450.0, 120.0);
    // Neighbouring samples are a few km apart, not scattered.
    EXPECT_LT(d(n / 2, n / 2 + 1), 15.0);
}

// A piece of a granule (first_scan) holds exactly those scans of the whole
// granule, away from the turns.
TEST(SwathGeometry, APieceOfTheGranuleHoldsItsScansOfTheWholeOne)
{
    temp_dir dir;
    const auto whole = dir.file("whole.h5");
    const auto piece = dir.file("piece.h5");
    ASSERT_TRUE(write_kind("AMSR2_L1B", whole, options({{"scans", "2040"}})));
    ASSERT_TRUE(write_kind("AMSR2_L1B", piece, options({{"scans", "20"}, {"first_scan", "1340"}})));
    const std::size_t n = 486;
    for (const char* name : {"Latitude of Observation Point for 89A", "Longitude of Observation Point for 89B"}) {
        SCOPED_TRACE(name);
        const auto all = read_all<float>(H5::H5File(whole, H5F_ACC_RDONLY), name);
        const auto part = read_all<float>(H5::H5File(piece, H5F_ACC_RDONLY), name);
        ASSERT_EQ(part.size(), 20u * n);
        // Scan 1 of every file carries the lost positions; the others match.
        for (std::size_t i = 2 * n; i < part.size(); ++i) ASSERT_EQ(part[i], all[std::size_t(1340) * n + i]) << i;
    }
}

TEST(SwathAttributes, CoRegistrationTextsParseToTheSixBandsWithNegativeValues)
{
    temp_dir dir;
    const auto path = dir.file("l1b.h5");
    ASSERT_TRUE(write_kind("AMSR2_L1B", path, options({{"scans", "4"}, {"strings", "fixed"}})));
    H5::H5File f(path, H5F_ACC_RDONLY);
    // The fixed layout is a scalar attribute.
    EXPECT_EQ(f.openAttribute("ProductName").getSpace().getSimpleExtentNdims(), 0);
    EXPECT_EQ(read_string_attr(f, "CoRegistrationParameterA1"), sk::kCoRegA1);
    // Read the way the swath regridding reads them.
    const auto a1 = parse_cor(read_string_attr(f, "CoRegistrationParameterA1"));
    const auto a2 = parse_cor(read_string_attr(f, "CoRegistrationParameterA2"));
    for (const auto* table : {&a1, &a2}) {
        std::set<std::string> keys;
        for (const auto& item : *table) keys.insert(item.first);
        EXPECT_EQ(keys, (std::set<std::string>{"6G", "7G", "10G", "18G", "23G", "36G"}));
    }
    EXPECT_FLOAT_EQ(a1.at("6G"), 0.52f);
    EXPECT_FLOAT_EQ(a2.at("6G"), -0.09f);
}

} // namespace vardane
