#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "output/spout.h"
#include "output_test_support.h"

using namespace output_test;

TEST(PlainTiffWriter, SwathCountsAreWrittenRawWithoutGeoreferencing)
{
    temp_dir dir;
    spout out;
    const int w = 243, h = 2041;
    std::vector<std::uint16_t> counts(std::size_t(w) * h);
    for (std::size_t i = 0; i < counts.size(); ++i) counts[i] = std::uint16_t(i * 7 % 65536);
    counts[5] = 65535; // fill values are counts like any other
    ASSERT_TRUE(out.init_short(counts.data(), attr_of(w, h), grid_info(80, 100, 20, 160, 0.01)));

    const std::string name = dir.file("B_V.tif");
    ASSERT_TRUE(out.gen_TiffImage(name, false, false, 0.0));
    auto ds = open_readonly(name);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetRasterXSize(), w);
    EXPECT_EQ(ds->GetRasterYSize(), h);
    ASSERT_EQ(ds->GetRasterCount(), 1);
    EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_UInt16);
    EXPECT_EQ(read_band<std::uint16_t>(*ds, 1, GDT_UInt16), counts);
    double gt[6];
    EXPECT_NE(ds->GetGeoTransform(gt), CE_None);
    EXPECT_EQ(ds->GetSpatialRef(), nullptr);
}

TEST(PlainTiffWriter, EachRasterKindKeepsItsSampleType)
{
    temp_dir dir;
    spout out;
    const std::vector<std::uint8_t> rgb{255, 0, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_TRUE(out.init_char(rgb.data(), attr_of(2, 2, 3), grid_info(1, 0, 0, 1)));
    ASSERT_TRUE(out.gen_TiffImage(dir.file("rgb.tif"), false, false, 0.0));
    {
        auto ds = open_readonly(dir.file("rgb.tif"));
        ASSERT_TRUE(ds);
        ASSERT_EQ(ds->GetRasterCount(), 3);
        EXPECT_EQ(ds->GetRasterBand(3)->GetRasterDataType(), GDT_Byte);
        EXPECT_EQ(read_band<std::uint8_t>(*ds, 1, GDT_Byte), (std::vector<std::uint8_t>{255, 1, 4, 7}));
        EXPECT_EQ(read_band<std::uint8_t>(*ds, 3, GDT_Byte), (std::vector<std::uint8_t>{10, 3, 6, 9}));
    }

    const std::vector<std::uint16_t> words{0xFFFF, 0x8000};
    ASSERT_TRUE(out.init_signed(words.data(), attr_of(2, 1), grid_info(1, 0, 0, 1)));
    ASSERT_TRUE(out.gen_TiffImage(dir.file("signed.tif"), false, false, 0.0));
    {
        auto ds = open_readonly(dir.file("signed.tif"));
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_Int16);
        EXPECT_EQ(read_band<std::int16_t>(*ds, 1, GDT_Int16), (std::vector<std::int16_t>{-1, -32768}));
    }

    const std::vector<float> floats{-9999.0f, 1.5f};
    ASSERT_TRUE(out.init_float(floats.data(), attr_of(1, 2), grid_info(1, 0, 0, 1)));
    ASSERT_TRUE(out.gen_TiffImage(dir.file("float.tif"), false, false, 0.0));
    auto ds = open_readonly(dir.file("float.tif"));
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_Float32);
    EXPECT_EQ(read_band<float>(*ds, 1, GDT_Float32), floats); // no floor on plain TIFF
}

TEST(PlainTiffWriter, NothingToWriteOrNowhereToWriteFails)
{
    temp_dir dir;
    spout out;
    EXPECT_FALSE(out.gen_TiffImage(dir.file("never.tif"), false, false, 0.0));
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.tif")));

    const std::vector<std::uint16_t> data(4, 3);
    ASSERT_TRUE(out.init_short(data.data(), attr_of(2, 2), grid_info(1, 0, 0, 1)));
    EXPECT_FALSE(out.gen_TiffImage("", false, false, 0.0));
    EXPECT_FALSE(out.gen_TiffImage(dir.file("missing/folder.tif"), false, false, 0.0));

    out.Clear_Array_raster();
    EXPECT_FALSE(out.gen_TiffImage(dir.file("cleared.tif"), false, false, 0.0));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
