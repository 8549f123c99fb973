// JASMES flat-binary products: recognition, shapes, corners and every
// conversion rule, checked sample by sample against the stored bytes.
#include <cmath>

#include "jasmes_test_support.h"

using namespace jasmes_test;

namespace {

constexpr float kMissing = -10000.0f;

class JasmesBin : public ReaderTest {};

TEST_F(JasmesBin, HeaderlessGlobalBytesAreDeliveredUnchanged)
{
    const auto p = synth("JASMES_RAW", "wf_global.dat", {{"grid", "global"}, {"bytes", "1"}});
    ASSERT_EQ(fs::file_size(p), 25'927'200u);
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_RAW);
    EXPECT_EQ(info.getJasmesArea(), JA_GLOBAL);
    EXPECT_EQ(info.getPara(), "wf");
    EXPECT_EQ(info.productName(), "JASMES_wf");
    EXPECT_EQ(info.getHeaderSize(), 0);
    EXPECT_EQ(info.N_count(), 1u);
    EXPECT_EQ(info.N_pixel(0), 7200u);
    EXPECT_EQ(info.N_line(0), 3601u);
    EXPECT_EQ(info.N_byte(0), 1u);
    expect_corners(info, 90.025, -0.025, -90.025, 359.975);

    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_UINT8);
    EXPECT_EQ(info.dataAttr.width, 7200);
    EXPECT_EQ(info.dataAttr.height, 3601);
    EXPECT_EQ(info.dataAttr.bands, 1);
    EXPECT_TRUE(info.floatRaster.empty());
    EXPECT_EQ(info.byteRaster, bytes_of(p));
}

TEST_F(JasmesBin, HeaderlessGlobalWordsAreSurfaceTemperature)
{
    const auto p = synth("JASMES_RAW", "lst_global.dat", {{"grid", "global"}, {"bytes", "2"}});
    ASSERT_EQ(fs::file_size(p), 51'854'400u);
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_RAW);
    EXPECT_EQ(info.getPara(), "lst");
    productInfo_t pi;
    info.get_productInfo(0, pi);
    EXPECT_DOUBLE_EQ(pi.scale, 0.02);
    EXPECT_EQ(pi.product, "JASMES_lst");

    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_FLOAT32);
    EXPECT_TRUE(info.byteRaster.empty());
    const auto raw = bytes_of(p);
    ASSERT_EQ(info.floatRaster.size(), raw.size() / 2);
    std::size_t fills[2] = {0, 0};
    for (std::size_t i = 0; i < info.floatRaster.size(); ++i) {
        const auto v = u16_at(raw, 2 * i);
        if (v >= 65534) {
            ++fills[v - 65534];
            ASSERT_EQ(info.floatRaster[i], kMissing) << i;
        } else {
            ASSERT_FLOAT_EQ(info.floatRaster[i], static_cast<float>(0.02 * v)) << i;
        }
    }
    EXPECT_GT(fills[0], 0u); // both fill codes occur
    EXPECT_GT(fills[1], 0u);
}

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

TEST_F(JasmesBin, WstRawHeader)
{
    const auto p = synth("JASMES_HDR", "wst.dat", {{"form", "wst"}});
    const std::size_t w = 1441;
    // Make sure both ends of the count range are present.
    patch(p, w + 5, {0, 255, 1, 128});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.getPara(), "wst");
    EXPECT_EQ(info.granule, "WST_raw");
    EXPECT_EQ(info.getJasmesArea(), JA_GOBI);
    EXPECT_EQ(info.getHeaderSize(), 1441);
    EXPECT_EQ(info.N_byte(0), 1u);

    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_FLOAT32);
    EXPECT_EQ(info.floatRaster[5], kMissing);
    EXPECT_FLOAT_EQ(info.floatRaster[6], 1.0f);
    EXPECT_FLOAT_EQ(info.floatRaster[7], 0.0f);
    EXPECT_FLOAT_EQ(info.floatRaster[8], static_cast<float>(127 / 254.0));
    const auto raw = bytes_of(p);
    for (std::size_t i = 0; i < info.floatRaster.size(); ++i) {
        const unsigned v = raw[w + i];
        ASSERT_EQ(info.floatRaster[i], v == 0 ? kMissing : static_cast<float>((v - 1) / 254.0)) << i;
    }
}

TEST_F(JasmesBin, ChlorophyllIsAPowerOfTen)
{
    const auto p = synth("JASMES_HDR", "chla.dat", {{"form", "t1"}, {"para", "chla"}, {"scale", "0.015"},
                                                    {"offset", "-2"}, {"bytes", "2"}});
    const std::size_t header = 2 * 1441;
    patch(p, header, {100, 0, 0xfe, 0xff});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.getPara(), "chla    ");
    EXPECT_EQ(info.productName(), "JASMES_chla    ");
    EXPECT_DOUBLE_EQ(info.getOffset(), -2.0);
    EXPECT_EQ(info.getHeaderSize(), 2 * 1441);
    EXPECT_EQ(info.granule.substr(0, 14), "Synthetic_area");

    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_FLOAT32);
    EXPECT_NEAR(info.floatRaster[0], std::pow(10.0, -0.5), 1e-6);
    EXPECT_EQ(info.floatRaster[1], kMissing);
    const auto raw = bytes_of(p);
    for (std::size_t i = 0; i < info.floatRaster.size(); ++i) {
        const auto v = u16_at(raw, header + 2 * i);
        const float want = v >= 65534 ? kMissing : static_cast<float>(std::pow(10.0, 0.015 * v - 2.0));
        ASSERT_FLOAT_EQ(info.floatRaster[i], want) << i;
    }
}

TEST_F(JasmesBin, ScaledBytesAndTwoPlaneWords)
{
    const auto bytesFile = synth("JASMES_HDR", "sst1.dat", {{"para", "sst"}, {"scale", "0.2"}, {"offset", "-3"},
                                                            {"bytes", "1"}});
    spinfo info;
    recognise(info, bytesFile);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.getHeaderSize(), 1441);
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    auto raw = bytes_of(bytesFile);
    for (std::size_t i = 0; i < info.floatRaster.size(); ++i) {
        const unsigned v = raw[1441 + i];
        ASSERT_FLOAT_EQ(info.floatRaster[i], v == 255 ? kMissing : static_cast<float>(0.2 * v - 3.0)) << i;
    }

    // Two 16-bit planes: the first is the parameter, the "chla" rule does not apply.
    const auto words = synth("JASMES_HDR", "two.dat", {{"para", "chla"}, {"scale", "0.01"}, {"offset", "1"},
                                                       {"bytes", "4"}});
    recognise(info, words);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.bytesPerSample, 4);
    EXPECT_EQ(info.getHeaderSize(), 2 * 1441);
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_FLOAT32);
    raw = bytes_of(words);
    const std::size_t n = 1441u * 461u;
    ASSERT_EQ(info.floatRaster.size(), n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto v = u16_at(raw, 2 * 1441 + 2 * i);
        ASSERT_FLOAT_EQ(info.floatRaster[i], v >= 65534 ? kMissing : static_cast<float>(0.01 * v + 1.0)) << i;
    }
}

TEST_F(JasmesBin, RgbPlanesAreInterleaved)
{
    const auto p = synth("JASMES_HDR", "rgb.dat", {{"form", "t1rgb"}, {"para", "rgb"}, {"area", "Japan_rgb"},
                                                   {"grid", "japan"}, {"width", "300"}, {"height", "200"}});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.N_byte(0), 3u);
    EXPECT_EQ(info.getJasmesArea(), JA_NONE); // no known grid of this shape
    EXPECT_EQ(info.granule.substr(0, 9), "Japan_rgb");
    expect_corners(info, 50.005, 122.995, 50.0 - 199 * 0.01 - 0.005, 123.0 + 299 * 0.01 + 0.005);
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_UINT8);
    EXPECT_EQ(info.dataAttr.bands, 3);
    const auto raw = bytes_of(p);
    const std::size_t n = 300 * 200;
    ASSERT_EQ(info.byteRaster.size(), 3 * n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < 3; ++k) ASSERT_EQ(info.byteRaster[3 * i + k], raw[300 + k * n + i]) << i;
    }
}

TEST_F(JasmesBin, AerosolFileOffersTwoCompositesAndOnePlane)
{
    const auto p = synth("JASMES_HDR", "aerosol.dat", {{"form", "t2"}, {"width", "120"}, {"height", "80"}});
    const std::size_t w = 120, n = 120 * 80, header = 2 * w;
    // Plane 9, sample 0: 1000 * 0.010 * 100 = 1000 -> low 8 bits 232.
    patch(p, header + 9 * 2 * n, {0xe8, 0x03});
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    EXPECT_EQ(info.nBands, 23);
    EXPECT_EQ(info.N_count(), 3u);
    EXPECT_EQ(info.getPara(), "aerosol");
    EXPECT_EQ(info.granule, "_multi_type_");
    EXPECT_EQ(info.getHeaderSize(), 240);
    EXPECT_EQ(info.N_byte(0), 3u);
    EXPECT_EQ(info.N_byte(1), 3u);
    EXPECT_EQ(info.N_byte(2), 2u);
    EXPECT_EQ(info.N_byte(3), 0u);
    EXPECT_DOUBLE_EQ(info.scales[2], 0.003);

    const auto raw = bytes_of(p);
    const auto channel = [&](std::size_t plane, std::size_t i) -> unsigned {
        const auto v = u16_at(raw, header + plane * 2 * n + 2 * i);
        if (v >= 65534) return 0;
        return static_cast<unsigned>(std::floor(info.scales[plane] * v * 100.0)) & 0xffu;
    };
    const std::size_t planes[2][3] = {{9, 8, 7}, {3, 2, 1}};
    for (std::uint32_t idx = 0; idx < 2; ++idx) {
        std::int32_t dtype = -5;
        ASSERT_TRUE(info.get_dataSource(idx, dtype));
        EXPECT_EQ(dtype, DT_UINT8);
        EXPECT_EQ(info.dataAttr.bands, 3);
        ASSERT_EQ(info.byteRaster.size(), 3 * n);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t k = 0; k < 3; ++k)
                ASSERT_EQ(info.byteRaster[3 * i + k], channel(planes[idx][k], i)) << idx << " " << i;
        }
    }
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(info.byteRaster[0], 232);

    ASSERT_TRUE(info.get_dataSource(2, dtype));
    EXPECT_EQ(dtype, DT_FLOAT32);
    EXPECT_TRUE(info.byteRaster.empty()); // the previous buffer was released
    for (std::size_t i = 0; i < n; ++i) {
        const auto v = u16_at(raw, header + 2 * 2 * n + 2 * i);
        ASSERT_FLOAT_EQ(info.floatRaster[i], v >= 65534 ? kMissing : static_cast<float>(info.scales[2] * v)) << i;
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
