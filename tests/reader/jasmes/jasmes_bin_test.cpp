// JASMES flat-binary products: recognition, shapes, corners and every
// conversion rule, checked sample by sample against the stored bytes.
#include <cmath>
#include <functional>

#include "jasmes_test_support.h"

namespace vardane {

using namespace jasmes_test;

namespace {

constexpr float kMissing = -10000.0f;

class JasmesBin : public ReaderTest {};

// One synthetic file per conversion rule; every sample is checked against
// the stored byte or word it comes from. Patches put the edge values of each
// rule (both fill codes, the ends of the count range) into the file.
struct conversion {
    const char* kind;
    std::vector<std::pair<std::string, std::string>> set;
    const char* para;
    std::size_t header;                  // bytes before the first sample
    std::size_t bytes;                   // per stored sample
    std::vector<unsigned char> patch;    // written at the first sample
    std::function<float(unsigned)> want; // nothing: bytes delivered unchanged
};

float words(unsigned v, double scale, double offset)
{
    return v >= 65534 ? kMissing : static_cast<float>(scale * v + offset);
}

TEST_F(JasmesBin, EveryConversionRuleSampleBySample)
// clang-format off
{
    const conversion conversions[] = {
        {"JASMES_RAW", {{"grid", "global"}, {"bytes", "1"}}, "wf", 0, 1, {}, nullptr},
        {"JASMES_RAW", {{"grid", "global"}, {"bytes", "2"}}, "lst", 0, 2, {0xfe, 0xff, 0xff, 0xff},
         [](unsigned v) { return words(v, 0.02, 0.0); }},
        {"JASMES_HDR", {{"form", "wst"}}, "wst", 1441, 1, {0, 255, 1, 128},
         [](unsigned v) { return v == 0 ? kMissing : static_cast<float>((v - 1) / 254.0); }},
        {"JASMES_HDR", {{"form", "t1"}, {"para", "chla"}, {"scale", "0.015"}, {"offset", "-2"}, {"bytes", "2"}},
         "chla    ", 2 * 1441, 2, {100, 0, 0xfe, 0xff},
         [](unsigned v) { return v >= 65534 ? kMissing : static_cast<float>(std::pow(10.0, 0.015 * v - 2.0)); }},
        {"JASMES_HDR", {{"para", "sst"}, {"scale", "0.2"}, {"offset", "-3"}, {"bytes", "1"}}, "sst     ", 1441, 1, {},
         [](unsigned v) { return v == 255 ? kMissing : static_cast<float>(0.2 * v - 3.0); }},
        // Two 16-bit planes: the first is the parameter, the "chla" rule does not apply.
        {"JASMES_HDR", {{"para", "chla"}, {"scale", "0.01"}, {"offset", "1"}, {"bytes", "4"}}, "chla    ", 2 * 1441, 2,
         {}, [](unsigned v) { return words(v, 0.01, 1.0); }},
    };
    for (const auto& c : conversions) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.para);
        const auto p = synth(c.kind, "conversion.dat", c.set);
        if (!c.patch.empty()) patch(p, c.header, c.patch);
        spinfo info;
        recognise(info, p);
        ASSERT_EQ(info.getType(), std::string(c.kind) == "JASMES_RAW" ? PT_JASMES_RAW : PT_JASMES_HDR);
        EXPECT_EQ(info.getPara(), c.para);
        EXPECT_EQ(info.productName(), "JASMES_" + info.getPara());
        EXPECT_EQ(info.getHeaderSize(), static_cast<std::int32_t>(c.header));
        std::int32_t dtype = -5;
        ASSERT_TRUE(info.get_dataSource(0, dtype));
        const auto raw = bytes_of(p);
        const std::size_t n = static_cast<std::size_t>(info.N_pixel(0)) * info.N_line(0);
        if (!c.want) {
            EXPECT_EQ(dtype, DT_UINT8);
            EXPECT_TRUE(info.floatRaster().empty());
            const std::vector<unsigned char> held(info.byteRaster().begin(), info.byteRaster().end());
            EXPECT_EQ(held, std::vector<unsigned char>(raw.begin() + static_cast<std::ptrdiff_t>(c.header), raw.end()));
            continue;
        }
        EXPECT_EQ(dtype, DT_FLOAT32);
        EXPECT_TRUE(info.byteRaster().empty());
        ASSERT_EQ(info.floatRaster().size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned v = c.bytes == 1 ? raw[c.header + i] : u16_at(raw, c.header + 2 * i);
            ASSERT_FLOAT_EQ(info.floatRaster()[i], c.want(v)) << i;
        }
    }
}
// clang-format on

TEST_F(JasmesBin, HeaderlessSmallGridsAndSizeOneOff)
{
    for (const char* grid : {"gobi", "thailand"}) {
        const auto p = synth("JASMES_RAW", std::string("wf_") + grid + ".dat", {{"grid", grid}});
        spinfo info;
        recognise(info, p);
        ASSERT_EQ(info.getType(), PT_JASMES_RAW) << grid;
        EXPECT_EQ(info.getJasmesArea(), std::string(grid) == "gobi" ? JA_GOBI : JA_THAILAND);
        fs::resize_file(p, fs::file_size(p) + 1);
        recognise(info, p);
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << grid;
        fs::resize_file(p, fs::file_size(p) - 2);
        recognise(info, p);
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << grid;
    }
    const auto p = synth("JASMES_RAW", "lst_gobi.dat", {{"bytes", "2"}});
    spinfo info;
    recognise(info, p);
    EXPECT_EQ(info.getType(), PT_JASMES_RAW);
    EXPECT_EQ(info.getPara(), "lst");
    expect_corners(info, 50.025, 74.975, 26.975, 147.025);
}

TEST_F(JasmesBin, RgbPlanesAreInterleaved)
// clang-format off
{
    const auto p = synth("JASMES_HDR", "rgb.dat", {{"form", "t1rgb"}, {"para", "rgb"}, {"area", "Japan_rgb"},
                                                   {"grid", "japan"}, {"width", "300"}, {"height", "200"}});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.N_byte(0), 3u);
    EXPECT_EQ(info.getJasmesArea(), JA_NONE); // no known grid of this shape
    EXPECT_EQ(describe(p).granule.substr(0, 9), "Japan_rgb");
    expect_corners(info, 50.005, 122.995, 50.0 - 199 * 0.01 - 0.005, 123.0 + 299 * 0.01 + 0.005);
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_UINT8);
    EXPECT_EQ(info.dataAttr().bands, 3);
    const auto raw = bytes_of(p);
    const std::size_t n = 300 * 200;
    ASSERT_EQ(info.byteRaster().size(), 3 * n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < 3; ++k) ASSERT_EQ(info.byteRaster()[3 * i + k], raw[300 + k * n + i]) << i;
    }
}
// clang-format on

TEST_F(JasmesBin, AerosolFileOffersTwoCompositesAndOnePlane)
{
    const auto p = synth("JASMES_HDR", "aerosol.dat", {{"form", "t2"}, {"width", "120"}, {"height", "80"}});
    const std::size_t w = 120, n = 120 * 80, header = 2 * w;
    // Plane 9, sample 0: 1000 * 0.010 * 100 = 1000, of which the composite keeps the low 8 bits.
    patch(p, header + 9 * 2 * n, {0xe8, 0x03});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    const auto described = describe(p);
    EXPECT_EQ(described.nBands, 23);
    EXPECT_EQ(info.N_count(), 3u);
    EXPECT_EQ(info.getPara(), "aerosol");
    EXPECT_EQ(described.granule, "_multi_type_");
    EXPECT_EQ(info.getHeaderSize(), 240);
    EXPECT_EQ(info.N_byte(0), 3u);
    EXPECT_EQ(info.N_byte(1), 3u);
    EXPECT_EQ(info.N_byte(2), 2u);
    EXPECT_EQ(info.N_byte(3), 0u);
    EXPECT_DOUBLE_EQ(described.scales[2], 0.003);

    const auto raw = bytes_of(p);
    const auto channel = [&](std::size_t plane, std::size_t i) -> unsigned {
        const auto v = u16_at(raw, header + plane * 2 * n + 2 * i);
        if (v >= 65534) return 0;
        return static_cast<unsigned>(std::floor(described.scales[plane] * v * 100.0)) & 0xffu;
    };
    const std::size_t planes[2][3] = {{9, 8, 7}, {3, 2, 1}};
    for (std::uint32_t idx = 0; idx < 2; ++idx) {
        std::int32_t dtype = -5;
        ASSERT_TRUE(info.get_dataSource(idx, dtype));
        EXPECT_EQ(dtype, DT_UINT8);
        EXPECT_EQ(info.dataAttr().bands, 3);
        ASSERT_EQ(info.byteRaster().size(), 3 * n);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t k = 0; k < 3; ++k)
                ASSERT_EQ(info.byteRaster()[3 * i + k], channel(planes[idx][k], i)) << idx << " " << i;
        }
    }
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(2, dtype));
    EXPECT_EQ(dtype, DT_FLOAT32);
    EXPECT_TRUE(info.byteRaster().empty()); // the previous buffer was released
    for (std::size_t i = 0; i < n; ++i) {
        const auto v = u16_at(raw, header + 2 * 2 * n + 2 * i);
        const float want = v >= 65534 ? kMissing : static_cast<float>(described.scales[2] * v);
        ASSERT_FLOAT_EQ(info.floatRaster()[i], want) << i;
    }
    EXPECT_FALSE(info.get_dataSource(3, dtype));
}

TEST_F(JasmesBin, ParameterParIsRenamed)
{
    const auto p = synth("JASMES_HDR", "par.dat", {{"para", "par"}, {"bytes", "1"}});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.getPara(), "par_");
    EXPECT_EQ(info.productName(), "JASMES_par_");
}

} // namespace

} // namespace vardane
