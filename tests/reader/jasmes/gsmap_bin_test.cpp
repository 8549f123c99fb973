// GSMaP flat-binary grids: recognition by name and size, the half-row
// rotation, values passed on unchanged.
#include <algorithm>
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

// The provider's hourly codes arrive as stored: no observation, sea ice,
// cold ground.
TEST_F(GsmapBin, HourlyCodesPassUnchanged)
{
    const auto p = synth("GSMAP_BIN", "gsmap_mvk.20220701.0300.v8.0000.0.dat", {{"size", "small"}});
    spinfo info;
    recognise(info, p);
    std::int32_t dtype = -5;
    ASSERT_TRUE(info.get_dataSource(0, dtype));
    const auto& out = info.floatRaster();
    for (const float code : {kGsmapHourlyMissing, kGsmapSeaIce, kGsmapLowTemperature}) {
        EXPECT_GT(std::count(out.begin(), out.end(), code), 100) << code;
    }
    EXPECT_EQ(std::count(out.begin(), out.end(), kGsmapDailyMissing), 0);
}

// Daily and hourly files are alike but for the name; the monthly file holds
// two grids and only its first, the precipitation, is offered.
TEST_F(GsmapBin, PeriodFromNameAndSize)
{
    struct period_case {
        const char* name;
        const char* period;
        productType kind;
        const char* label;
    };
    const period_case cases[] = {
        {"gsmap_mvk.20220701.0400.v8.0000.0.dat", "hourly", PT_GSMAP_HOURLY, "GPM_GSMaP_Hourly_L3"},
        {"gsmap_mvk.20220701.0.1d.daily.00Z-23Z.v8.0000.0.dat", "daily", PT_GSMAP_HOURLY, "GPM_GSMaP_Daily_L3"},
        {"gsmap_mvk.202207.0.1d.monthly.00Z-23Z.v8.0000.0.dat", "monthly", PT_GSMAP_MONTHLY, "GPM_GSMaP_Monthly_L3"},
        // Two grids are monthly whatever the rest of the name says.
        {"gsmap_rain.dat", "monthly", PT_GSMAP_MONTHLY, "GPM_GSMaP_Monthly_L3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool monthly = c.kind == PT_GSMAP_MONTHLY;
        const std::size_t columns = monthly ? 3600 : 1440;
        const std::size_t rows = monthly ? 1200 : 480;
        const auto p = synth("GSMAP_BIN", c.name, {{"period", c.period}, {"size", monthly ? "large" : "small"}});
        spinfo info;
        recognise(info, p);
        ASSERT_EQ(info.getType(), c.kind);
        EXPECT_EQ(info.productName(), c.label);
        EXPECT_EQ(info.N_count(), 1u);
        EXPECT_EQ(info.N_pixel(1), 0u);
        expect_corners(info, 60.0, -180.0, -60.0, 180.0);
        std::int32_t dtype = -5;
        ASSERT_TRUE(info.get_dataSource(0, dtype));
        EXPECT_EQ(info.dataAttr().width, static_cast<std::int32_t>(columns));
        EXPECT_EQ(info.dataAttr().height, static_cast<std::int32_t>(rows));
        const bool hourly = std::string(c.period) == "hourly";
        const auto want = synth_precipitation(columns, rows, 1,
                                              hourly                             ? synth_gsmap_period::hourly
                                              : std::string(c.period) == "daily" ? synth_gsmap_period::daily
                                                                                 : synth_gsmap_period::monthly);
        const auto& out = info.floatRaster();
        std::size_t wrong = 0;
        for (std::size_t r = 0; r < rows; ++r) {
            for (std::size_t col = 0; col < columns; ++col) {
                wrong += out[r * columns + col] != want[r * columns + (col + columns / 2) % columns];
            }
        }
        EXPECT_EQ(wrong, 0u);
        EXPECT_EQ(std::count(out.begin(), out.end(), kGsmapDailyMissing) > 0, !hourly);
        EXPECT_FALSE(info.get_dataSource(1, dtype));
    }

    // A file named daily cannot hold the two grids of a month; a one-grid
    // file named monthly is monthly.
    const auto twoGrids = synth("GSMAP_BIN", "gsmap_mvk.20220701.0.1d.daily.two.dat", {{"period", "monthly"}});
    spinfo info;
    recognise(info, twoGrids);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.last_failure().cause, "holds two grids, as a monthly file does, but its name says daily");
    const auto oneGrid = synth("GSMAP_BIN", "gsmap_mvk.202207.monthly.one.dat", {{"size", "large"}});
    recognise(info, oneGrid);
    EXPECT_EQ(info.getType(), PT_GSMAP_MONTHLY);
}

} // namespace

} // namespace vardane
