// Plain TIFF of a radiometer swath: every variable of a synthetic product,
// read by spinfo and loaded into spout, is written as a one-band TIFF that
// holds exactly the samples the reader delivered, without georeferencing.
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hdf5/synth_known_values.h"
#include "output_test_support.h"
#include "product_pipeline.h"

using namespace output_test;

namespace {

// The reader's buffer for dtype as raw bytes, and the file's band likewise.
std::vector<unsigned char> reader_bytes(const spinfo& info, std::int32_t dtype)
{
    auto bytes_of = [](const auto& v) {
        std::vector<unsigned char> b(v.size() * sizeof(v[0]));
        if (!v.empty()) std::memcpy(b.data(), v.data(), b.size());
        return b;
    };
    switch (dtype) {
    case DT_UINT8: return bytes_of(info.byteRaster);
    case DT_UINT16:
    case DT_INT16: return bytes_of(info.shortRaster);
    default: return bytes_of(info.floatRaster);
    }
}

std::vector<unsigned char> band_bytes(GDALDataset& ds, GDALDataType type)
{
    const int w = ds.GetRasterXSize();
    const int h = ds.GetRasterYSize();
    std::vector<unsigned char> b(std::size_t(w) * std::size_t(h) * std::size_t(GDALGetDataTypeSizeBytes(type)));
    EXPECT_EQ(ds.GetRasterBand(1)->RasterIO(GF_Read, 0, 0, w, h, b.data(), w, h, type, 0, 0, nullptr), CE_None);
    return b;
}

class SwathPlainTiff : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(SwathPlainTiff, EveryVariableIsWrittenAsItsRawSamples)
{
    temp_dir dir;
    const std::string input = dir.file("swath.h5");
    ASSERT_TRUE(make_synthetic_product(GetParam(), {}, input));
    spinfo info;
    info.init(input, std::filesystem::file_size(input));
    ASSERT_TRUE(is_swath_kind(info.getType()));
    ASSERT_GT(info.N_count(), 1u);

    spout out;
    for (std::uint32_t idx = 0; idx < info.N_count(); ++idx) {
        SCOPED_TRACE("variable " + std::to_string(idx));
        productInfo_t pi;
        info.get_productInfo(idx, pi);
        std::int32_t dtype = DT_NONE;
        ASSERT_TRUE(info.get_dataSource(idx, dtype));
        ASSERT_TRUE(load_variable(out, info, dtype, pi));

        const std::string name = dir.file("B_V" + std::to_string(idx) + ".tif");
        ASSERT_TRUE(out.gen_TiffImage(name, false, false, 0.0));
        auto ds = open_readonly(name);
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterXSize(), info.dataAttr.width);
        EXPECT_EQ(ds->GetRasterYSize(), info.dataAttr.height);
        ASSERT_EQ(ds->GetRasterCount(), 1);
        const GDALDataType type = gdal_type_of(dtype);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), type);
        EXPECT_EQ(ds->GetSpatialRef(), nullptr);
        EXPECT_EQ(band_bytes(*ds, type), reader_bytes(info, dtype));
        if (idx == 0) {
            // The first brightness-temperature counts, unscaled.
            ASSERT_EQ(dtype, DT_UINT16);
            EXPECT_EQ(read_band<std::uint16_t>(*ds, 1, GDT_UInt16)[0], synth_known::kOriginU16);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Radiometers, SwathPlainTiff, ::testing::Values("AMSR2_L1B", "AMSR2_L1R", "AMSRE_L1B"));
