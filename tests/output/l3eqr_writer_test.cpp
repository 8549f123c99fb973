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
    temp_dir dir;
    spout out;
};

} // namespace

TEST_F(L3EqrGeoTiff, SixteenBitGlobalGridsAreWrittenBigEndianAndShiftedHalfATurnOnRequest)
{
    struct l3_case {
        bool isSigned;
        int width;
        bool shift;
        double tieLon;
        double pixel;
        std::uint16_t sampleFormat;
    };
    for (const l3_case& c : {l3_case{true, 3600, true, -180.0, 0.1, SAMPLEFORMAT_INT},
                             l3_case{false, 1440, false, 0.0, 0.25, SAMPLEFORMAT_UINT}}) {
        SCOPED_TRACE(c.isSigned ? "signed" : "unsigned");
        const int w = c.width;
        const int h = w / 2;
        // Counts across the whole 16-bit range: half of them negative when signed.
        std::vector<std::uint16_t> words(std::size_t(w) * h);
        for (std::size_t i = 0; i < words.size(); ++i) words[i] = std::uint16_t(i * 7 % 65536);
        words[7] = 65535;
        const dataAttr_t attr = attr_of(w, h);
        ASSERT_TRUE(c.isSigned ? out.init_signed(words.data(), attr, grid_info(90, 0, -90, 360))
                               : out.init_short(words.data(), attr, grid_info(90, 0, -90, 360)));
        const std::string name = dir.file(c.isSigned ? "signed.tif" : "unsigned.tif");
        ASSERT_TRUE(out.gen_L3EQR_GeoTiffImage(name, c.shift));

        const tiff_facts f = read_facts(name);
        ASSERT_TRUE(f.opened);
        EXPECT_TRUE(f.bigEndian);
        EXPECT_EQ(f.sampleFormat, c.sampleFormat);
        EXPECT_EQ(f.bitsPerSample, 16);
        EXPECT_EQ(f.tiepoint, (std::vector<double>{0, 0, 0, c.tieLon, 90, 0}));
        ASSERT_EQ(f.pixelScale.size(), 3u);
        EXPECT_DOUBLE_EQ(f.pixelScale[0], c.pixel);
        EXPECT_DOUBLE_EQ(f.pixelScale[1], c.pixel);

        auto ds = open_readonly(name);
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterXSize(), w);
        EXPECT_EQ(ds->GetRasterYSize(), h);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), c.isSigned ? GDT_Int16 : GDT_UInt16);
        EXPECT_EQ(epsg_of(*ds), 4326);
        std::vector<std::int32_t> expected(words.size());
        for (int r = 0; r < h; ++r) {
            for (int col = 0; col < w; ++col) {
                const std::uint16_t word = words[std::size_t(r) * w + (c.shift ? (col + w / 2) % w : col)];
                expected[std::size_t(r) * w + col] = c.isSigned ? std::int16_t(word) : word;
            }
        }
        EXPECT_EQ(read_band<std::int32_t>(*ds, 1, GDT_Int32), expected);
    }

    // The geokeys as the GeoTIFF tools read them (listgeo comes with
    // scripts/install-deps).
    ASSERT_TRUE(std::filesystem::exists("/usr/bin/listgeo"));
    const std::string text = run("/usr/bin/listgeo '" + dir.file("signed.tif") + "' 2>&1");
    for (const char* key : {"ModelTypeGeographic", "RasterPixelIsArea", "GCS_WGS_84", "Datum_WGS84",
                            "Angular_Degree", "Ellipse_WGS_84"}) {
        EXPECT_NE(text.find(key), std::string::npos) << key << " missing from\n" << text;
    }
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
