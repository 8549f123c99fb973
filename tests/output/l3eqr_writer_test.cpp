#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "output/spout.h"
#include "output_test_support.h"

using namespace output_test;

namespace {

// Tag values read back with plain libtiff.
struct tiff_facts {
    bool opened = false;
    bool bigEndian = false;
    std::uint16_t sampleFormat = 0;
    std::uint16_t bitsPerSample = 0;
    std::vector<double> tiepoint;
    std::vector<double> pixelScale;
};

tiff_facts read_facts(const std::string& path)
{
    tiff_facts f;
    std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(path.c_str(), "r"), TIFFClose);
    if (!tif) return f;
    f.opened = true;
    f.bigEndian = TIFFIsBigEndian(tif.get());
    TIFFGetField(tif.get(), TIFFTAG_SAMPLEFORMAT, &f.sampleFormat);
    TIFFGetField(tif.get(), TIFFTAG_BITSPERSAMPLE, &f.bitsPerSample);
    // Tag numbers of the model tiepoint and pixel scale.
    std::uint32_t count = 0;
    double* values = nullptr;
    if (TIFFGetField(tif.get(), 33922, &count, &values) == 1) f.tiepoint.assign(values, values + count);
    if (TIFFGetField(tif.get(), 33550, &count, &values) == 1) f.pixelScale.assign(values, values + count);
    return f;
}

std::string run(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return output;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), int(buf.size()), pipe.get()) != nullptr) output += buf.data();
    return output;
}

class L3EqrGeoTiff : public ::testing::Test {
protected:
    void load_signed_tenth_degree()
    {
        words.resize(std::size_t(3600) * 1800);
        for (int r = 0; r < 1800; ++r) {
            for (int c = 0; c < 3600; ++c)
                words[std::size_t(r) * 3600 + c] = std::uint16_t(std::int16_t(c - 1800 + (r % 7)));
        }
        ASSERT_TRUE(out.init_signed(words.data(), attr_of(3600, 1800), grid_info(90, 0, -90, 360)));
    }

    temp_dir dir;
    spout out;
    std::vector<std::uint16_t> words;
};

} // namespace

TEST_F(L3EqrGeoTiff, SignedTenthDegreeGridIsShiftedToMinus180BigEndianWithWgs84Keys)
{
    load_signed_tenth_degree();
    const std::string name = dir.file("L3_BT.tif");
    ASSERT_TRUE(out.gen_L3EQR_GeoTiffImage(name, true));

    const tiff_facts f = read_facts(name);
    ASSERT_TRUE(f.opened);
    EXPECT_TRUE(f.bigEndian);
    EXPECT_EQ(f.sampleFormat, SAMPLEFORMAT_INT);
    EXPECT_EQ(f.bitsPerSample, 16);
    ASSERT_EQ(f.tiepoint.size(), 6u);
    EXPECT_DOUBLE_EQ(f.tiepoint[3], -180.0);
    EXPECT_DOUBLE_EQ(f.tiepoint[4], 90.0);
    ASSERT_EQ(f.pixelScale.size(), 3u);
    EXPECT_DOUBLE_EQ(f.pixelScale[0], 0.1);
    EXPECT_DOUBLE_EQ(f.pixelScale[1], 0.1);

    auto ds = open_readonly(name);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetRasterXSize(), 3600);
    EXPECT_EQ(ds->GetRasterYSize(), 1800);
    EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_Int16);
    EXPECT_EQ(epsg_of(*ds), 4326);

    const auto v = read_band<std::int16_t>(*ds, 1, GDT_Int16);
    auto src = [&](int r, int c) { return std::int16_t(words[std::size_t(r) * 3600 + c]); };
    for (int r : {0, 3, 1799}) {
        EXPECT_EQ(v[std::size_t(r) * 3600 + 0], src(r, 1800)) << "row " << r;
        EXPECT_EQ(v[std::size_t(r) * 3600 + 1799], src(r, 3599)) << "row " << r;
        EXPECT_EQ(v[std::size_t(r) * 3600 + 1800], src(r, 0)) << "row " << r;
        EXPECT_EQ(v[std::size_t(r) * 3600 + 3599], src(r, 1799)) << "row " << r;
    }

    // The geokeys as the GeoTIFF tools read them (listgeo comes with
    // scripts/install-deps).
    ASSERT_TRUE(std::filesystem::exists("/usr/bin/listgeo"));
    const std::string text = run("/usr/bin/listgeo '" + name + "' 2>&1");
    for (const char* key : {"ModelTypeGeographic", "RasterPixelIsArea", "GCS_WGS_84", "Datum_WGS84",
                            "Angular_Degree", "Ellipse_WGS_84"}) {
        EXPECT_NE(text.find(key), std::string::npos) << key << " missing from\n" << text;
    }
}

TEST_F(L3EqrGeoTiff, UnsignedQuarterDegreeGridWithoutShiftKeepsColumns)
{
    std::vector<std::uint16_t> counts(std::size_t(1440) * 720);
    for (std::size_t i = 0; i < counts.size(); ++i) counts[i] = std::uint16_t(i % 60000);
    counts[7] = 65535;
    ASSERT_TRUE(out.init_short(counts.data(), attr_of(1440, 720), grid_info(90, 0, -90, 360)));
    const std::string name = dir.file("quarter.tif");
    ASSERT_TRUE(out.gen_L3EQR_GeoTiffImage(name, false));

    const tiff_facts f = read_facts(name);
    EXPECT_EQ(f.sampleFormat, SAMPLEFORMAT_UINT);
    ASSERT_EQ(f.tiepoint.size(), 6u);
    EXPECT_DOUBLE_EQ(f.tiepoint[3], 0.0);
    ASSERT_EQ(f.pixelScale.size(), 3u);
    EXPECT_DOUBLE_EQ(f.pixelScale[0], 0.25);

    auto ds = open_readonly(name);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), GDT_UInt16);
    EXPECT_EQ(read_band<std::uint16_t>(*ds, 1, GDT_UInt16), counts);
}

TEST_F(L3EqrGeoTiff, RastersOtherThanSixteenBitGlobalGridsCreateNoFile)
{
    const std::vector<float> floats(std::size_t(3600) * 1800, 1.0f);
    ASSERT_TRUE(out.init_float(floats.data(), attr_of(3600, 1800), grid_info(90, 0, -90, 360)));
    EXPECT_FALSE(out.gen_L3EQR_GeoTiffImage(dir.file("float.tif"), true));

    const std::vector<std::uint16_t> small(std::size_t(720) * 360, 1);
    ASSERT_TRUE(out.init_short(small.data(), attr_of(720, 360), grid_info(90, 0, -90, 360)));
    EXPECT_FALSE(out.gen_L3EQR_GeoTiffImage(dir.file("small.tif"), true));

    const std::vector<std::uint8_t> bytes(std::size_t(1440) * 720, 1);
    ASSERT_TRUE(out.init_char(bytes.data(), attr_of(1440, 720, 1), grid_info(90, 0, -90, 360)));
    EXPECT_FALSE(out.gen_L3EQR_GeoTiffImage(dir.file("bytes.tif"), true));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
