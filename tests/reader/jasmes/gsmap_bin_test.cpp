// GSMaP flat-binary grids: recognition by name and size, the half-row
// rotation, values passed on unchanged.
#include <cstring>

#include "jasmes_test_support.h"

namespace vardane {

using namespace jasmes_test;

namespace {

class GsmapBin : public ReaderTest {};

float stored(const std::vector<unsigned char>& raw, std::size_t columns, std::size_t r, std::size_t c)
{
    float f = 0;
    std::memcpy(&f, raw.data() + 4 * (r * columns + c), 4); // little-endian host
    return f;
}

TEST_F(GsmapBin, LargeGridIsRotatedByHalfARow)
{
    const auto p = synth("GSMAP_BIN", "gsmap_nrt.20240101.0100.dat", {{"size", "large"}});
    ASSERT_EQ(fs::file_size(p), 17'280'000u);
    spinfo info;
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_GSMAP_HOURLY);
    EXPECT_EQ(family_probe::family_of(p), "GSMaP binary");
    expect_corners(info, 60.0, -180.0, -60.0, 180.0);
    EXPECT_EQ(info.productName(), "GPM_GSMaP_Hourly_L3");
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    EXPECT_EQ(dtype, DT_FLOAT32);
    EXPECT_EQ(info.dataAttr().width, 3600);
    EXPECT_EQ(info.dataAttr().height, 1200);
    EXPECT_EQ(info.dataAttr().bands, 1);

    const auto raw = bytes_of(p);
    const auto& out = info.floatRaster();
    ASSERT_EQ(out.size(), 3600u * 1200u);
    std::size_t negatives = 0;
    for (std::size_t r = 0; r < 1200; ++r) {
        for (std::size_t c = 0; c < 3600; ++c) {
            const float v = out[r * 3600 + c];
            ASSERT_EQ(v, stored(raw, 3600, r, (c + 1800) % 3600)) << r << "," << c;
            negatives += v < 0;
        }
    }
    EXPECT_GT(negatives, 0u); // missing values arrive as stored
}

TEST_F(GsmapBin, SmallGridAndOtherSizes)
{
    const auto p = synth("GSMAP_BIN", "gsmap_mvk.dat", {{"size", "small"}});
    spinfo info;
    // Nothing of a JASMES file read before stays in the description.
    recognise(info, synth("JASMES_HDR", "before.dat", {{"para", "sst"}, {"bytes", "1"}}));
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    recognise(info, p);
    EXPECT_EQ(info.getPara(), "");
    productInfo_t product;
    info.get_productInfo(0, product);
    EXPECT_EQ(product.area, "");
    EXPECT_EQ(info.getOffset(), 0.0);
    EXPECT_EQ(info.getHeaderSize(), -1);
    ASSERT_EQ(info.getType(), PT_GSMAP_HOURLY);
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    const auto raw = bytes_of(p);
    EXPECT_EQ(info.floatRaster()[720], stored(raw, 1440, 0, 0));
    EXPECT_EQ(info.floatRaster()[479 * 1440 + 719], stored(raw, 1440, 479, 1439));

    // Any other size is no product and is not tried as JASMES either, even
    // when it would fit a JASMES grid.
    fs::resize_file(p, 2'764'801);
    recognise(info, p);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    const auto jasmesSized = synth("JASMES_RAW", "gsmap_wf.dat", {{"grid", "gobi"}});
    recognise(info, jasmesSized);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_FALSE(info.get_dataSource(0, dtype));
}

} // namespace

} // namespace vardane
