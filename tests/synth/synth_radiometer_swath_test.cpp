// Radiometer swath products read back: names, types, shapes, attributes, known
// values and the orbit geometry of the geolocation.
#include <algorithm>
#include <cmath>
#include <map>

#include "radiometer_names.h"
#include "synth_known_values.h"
#include "synth_test_support.h"

using namespace synth_test;
namespace sk = synth_known;

namespace {

struct swath_case {
    const char* kind;
    const char* product_name;
    int samples89;
};

class SwathKinds : public ::testing::TestWithParam<swath_case> {};

// Values of parse-style "KEY-VALUE" items, a second minus making the value negative.
std::map<std::string, float> parse_items(const std::string& text)
{
    std::map<std::string, float> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        const auto minus = item.find('-');
        if (minus != std::string::npos) out[item.substr(0, minus)] = std::stof(item.substr(minus + 1));
        start = comma + 1;
    }
    return out;
}

} // namespace

TEST_P(SwathKinds, L1BDatasetsHaveTheirTypesShapesScaleAndKnownValues)
{
    const auto c = GetParam();
    temp_dir dir;
    const auto path = dir.file("l1b.h5");
    ASSERT_TRUE(write_kind(std::string(c.kind) + "_L1B", path, options({{"scans", "40"}})));
    H5::H5File f(path, H5F_ACC_RDONLY);
    EXPECT_EQ(read_string_attr(f, "ProductName"), std::string(c.product_name) + "-L1B");
    EXPECT_FALSE(read_string_attr(f, "GranuleID").empty());

    const auto bands = synth_radiometer::l1_bands();
    ASSERT_EQ(bands.size(), 16u);
    EXPECT_EQ(bands.front().label, "6.9GHz,H");
    EXPECT_EQ(bands.back().label, "89.0GHz-B,V");
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const std::string name = "Brightness Temperature (" + bands[i].label + ")";
        H5::DataSet ds = f.openDataSet(name);
        const auto d = dims_of(ds);
        const hsize_t width = i < 12 ? c.samples89 / 2 : c.samples89;
        ASSERT_EQ(d, (std::vector<hsize_t>{40, width})) << name;
        EXPECT_FLOAT_EQ(read_float_attr(ds, "SCALE FACTOR"), sk::kScaleBrightness);
        const auto v = read_all<std::uint16_t>(f, name);
        EXPECT_EQ(v[0], sk::kOriginU16) << name;
        EXPECT_EQ(v[1], sk::kTagBase + static_cast<int>(i)) << name;
        EXPECT_EQ(v[20 * width + width / 2], sk::kMarkerU16) << name;
        // Plausible brightness temperatures and some fill.
        const auto fills = std::count(v.begin(), v.end(), sk::kFillU16);
        EXPECT_GT(fills, 0) << name;
        std::size_t plausible = 0;
        for (auto x : v) plausible += x != sk::kFillU16 && x >= 6000 && x <= 33000;
        EXPECT_GT(plausible, v.size() * 9 / 10) << name;
    }
    for (const auto name : {synth_radiometer::kLat89A, synth_radiometer::kLat89B, synth_radiometer::kLon89A,
                            synth_radiometer::kLon89B}) {
        H5::DataSet ds = f.openDataSet(std::string(name));
        EXPECT_TRUE(ds.getDataType() == H5::PredType::NATIVE_FLOAT);
        EXPECT_EQ(dims_of(ds), (std::vector<hsize_t>{40, static_cast<hsize_t>(c.samples89)}));
    }
}

TEST_P(SwathKinds, L1RHasFortyBandsLowResolutionUntilTheOriginal89)
{
    const auto c = GetParam();
    temp_dir dir;
    const auto path = dir.file("l1r.h5");
    ASSERT_TRUE(write_kind(std::string(c.kind) + "_L1R", path, options({{"scans", "10"}})));
    H5::H5File f(path, H5F_ACC_RDONLY);
    EXPECT_EQ(read_string_attr(f, "ProductName"), std::string(c.product_name) + "-L1R");
    const auto bands = synth_radiometer::l1r_bands();
    ASSERT_EQ(bands.size(), 40u);
    EXPECT_EQ(bands.front().label, "res06,6.9GHz,H");
    EXPECT_EQ(bands[36].label, "original,89GHz-A,H");
    EXPECT_EQ(bands.back().label, "original,89GHz-B,V");
    for (std::size_t i = 0; i < bands.size(); ++i) {
        H5::DataSet ds = f.openDataSet("Brightness Temperature (" + bands[i].label + ")");
        const hsize_t width = i < 36 ? c.samples89 / 2 : c.samples89;
        EXPECT_EQ(dims_of(ds), (std::vector<hsize_t>{10, width})) << bands[i].label;
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
        EXPECT_EQ(read_string_attr(f, "ProductName"), std::string(c.product_name) + "-L2");
        EXPECT_EQ(read_string_attr(f, "GeophysicalName"), "Precipitation");
        for (const int b : {0, 1}) {
            const std::string name = b == 0 ? "Geophysical Data for 89A" : "Geophysical Data for 89B";
            EXPECT_EQ(dims_of(f.openDataSet(name)), (std::vector<hsize_t>{20, static_cast<hsize_t>(c.samples89), 2}));
            const auto v = read_all<std::int16_t>(f, name);
            for (int k = 0; k < 2; ++k) {
                EXPECT_EQ(v[k], sk::kOriginI16);
                EXPECT_EQ(v[2 + k], sk::kTagBase + 2 * k + b) << name << " layer " << k;
                EXPECT_EQ(v[(10 * c.samples89 + c.samples89 / 2) * 2 + k], sk::kMarkerI16);
            }
        }
        EXPECT_FLOAT_EQ(read_float_attr(f.openDataSet("Geophysical Data for 89A"), "SCALE FACTOR"),
                        sk::geophysical_scale("PRC"));
    }
    {
        H5::H5File f(low, H5F_ACC_RDONLY);
        EXPECT_EQ(read_string_attr(f, "GeophysicalName"), "Sea Surface Temperature");
        EXPECT_FALSE(f.attrExists("CoRegistrationParameterA1"));
        EXPECT_EQ(dims_of(f.openDataSet("Geophysical Data")),
                  (std::vector<hsize_t>{20, static_cast<hsize_t>(c.samples89 / 2), 2}));
        EXPECT_EQ(dims_of(f.openDataSet("Latitude of Observation Point")),
                  (std::vector<hsize_t>{20, static_cast<hsize_t>(c.samples89 / 2)}));
        const auto lat = read_all<float>(f, "Latitude of Observation Point");
        EXPECT_EQ(lat[sk::kBadGeoScan * (c.samples89 / 2) + sk::kBadGeoSampleFill / 2], sk::kFillGeolocation);
        // SST has values over the sea only: fill over land.
        const auto v = read_all<std::int16_t>(f, "Geophysical Data");
        EXPECT_GT(std::count(v.begin(), v.end(), sk::kFillI16), static_cast<long>(v.size() / 20));
        EXPECT_FALSE(f.nameExists("Geophysical Data for 89A"));
    }
}

INSTANTIATE_TEST_SUITE_P(Sensors, SwathKinds,
                         ::testing::Values(swath_case{"AMSR2", "AMSR2", 486}, swath_case{"AMSRE", "AMSR-E", 392}),
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
    float max_lat = -90;
    float min_lat = 90;
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
        const double c = std::sin(lat[i + a] * k) * std::sin(lat[i + b] * k) +
                         std::cos(lat[i + a] * k) * std::cos(lat[i + b] * k) * std::cos((lon[i + a] - lon[i + b]) * k);
        return 6371.0 * std::acos(std::clamp(c, -1.0, 1.0));
    };
    EXPECT_NEAR(d(0, n - 1), 1450.0, 120.0);
    // Neighbouring samples are a few km apart, not scattered.
    EXPECT_LT(d(n / 2, n / 2 + 1), 15.0);
}

TEST(SwathGeometry, LostAndOutOfRangePointsSitWhereDocumented)
{
    temp_dir dir;
    const auto path = dir.file("l1b.h5");
    ASSERT_TRUE(write_kind("AMSR2_L1B", path, options({{"scans", "8"}})));
    H5::H5File f(path, H5F_ACC_RDONLY);
    for (const auto* name : {"Latitude of Observation Point for 89A", "Latitude of Observation Point for 89B"}) {
        const auto lat = read_all<float>(f, name);
        const auto row = static_cast<std::size_t>(sk::kBadGeoScan) * 486;
        EXPECT_EQ(lat[row + sk::kBadGeoSampleFill], sk::kFillGeolocation) << name;
        EXPECT_EQ(lat[row + sk::kBadGeoSampleOver], sk::kOverLatitude) << name;
        EXPECT_LE(std::abs(lat[0]), 90.0f);
    }
    // Data at a lost position is fill.
    const auto bt = read_all<std::uint16_t>(f, "Brightness Temperature (89.0GHz-A,H)");
    EXPECT_EQ(bt[static_cast<std::size_t>(sk::kBadGeoScan) * 486 + sk::kBadGeoSampleFill], sk::kFillU16);
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
    const auto a1 = parse_items(read_string_attr(f, "CoRegistrationParameterA1"));
    const auto a2 = parse_items(read_string_attr(f, "CoRegistrationParameterA2"));
    for (const auto* key : {"6G", "7G", "10G", "18G", "23G", "36G"}) {
        EXPECT_EQ(a1.count(key), 1u) << key;
        EXPECT_EQ(a2.count(key), 1u) << key;
    }
    EXPECT_FLOAT_EQ(a1.at("6G"), 0.52f);
    EXPECT_FLOAT_EQ(a2.at("6G"), -0.09f);
}
