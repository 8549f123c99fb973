#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "output/spout.h"
#include "output_test_support.h"

namespace vardane {

using namespace output_test;

namespace {

// The byte-order mark of a TIFF file: "MM" big-endian, "II" little-endian.
std::string byte_order(const std::string& path)
{
    std::string mark(2, '\0');
    std::ifstream(path, std::ios::binary).read(mark.data(), 2);
    return mark;
}

// The image lies in one strip, right after the 8-byte header, as files
// written before the strip went out in pieces have it.
void expect_one_strip_after_header(const std::string& path, std::uint64_t bytes)
{
    // "c": the strip as stored, not chopped into rows on reading.
    const std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(path.c_str(), "rc"), TIFFClose);
    ASSERT_TRUE(tif);
    ASSERT_EQ(TIFFNumberOfStrips(tif.get()), 1u);
    const std::uint64_t* offsets = nullptr;
    const std::uint64_t* counts = nullptr;
    ASSERT_EQ(TIFFGetField(tif.get(), TIFFTAG_STRIPOFFSETS, &offsets), 1);
    ASSERT_EQ(TIFFGetField(tif.get(), TIFFTAG_STRIPBYTECOUNTS, &counts), 1);
    EXPECT_EQ(offsets[0], 8u);
    EXPECT_EQ(counts[0], bytes);
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
    const productInfo_t globe = grid_info(90, 0, -90, 360);
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
    };
    for (const l3_case& c : {l3_case{true, 3600, true, -180.0, 0.1}, l3_case{false, 1440, false, 0.0, 0.25}}) {
        SCOPED_TRACE(c.isSigned ? "signed" : "unsigned");
        const int w = c.width;
        const int h = w / 2;
        // Counts across the whole 16-bit range: half of them negative when signed.
        std::vector<std::uint16_t> words(std::size_t(w) * h);
        for (std::size_t i = 0; i < words.size(); ++i) words[i] = std::uint16_t(i * 7 % 65536);
        words[7] = 65535;
        ASSERT_TRUE(c.isSigned ? out.init_signed(words.data(), attr_of(w, h), globe)
                               : out.init_short(words.data(), attr_of(w, h), globe));
        const std::string name = dir.file(c.isSigned ? "signed.tif" : "unsigned.tif");
        ASSERT_TRUE(out.gen_L3EQR_GeoTiffImage(name, c.shift));

        EXPECT_EQ(byte_order(name), "MM");
        expect_one_strip_after_header(name, std::uint64_t(w) * std::uint64_t(h) * 2);
        auto ds = open_readonly(name);
        ASSERT_TRUE(ds);
        EXPECT_EQ(ds->GetRasterBand(1)->GetRasterDataType(), c.isSigned ? GDT_Int16 : GDT_UInt16);
        EXPECT_EQ(geotransform_of(*ds), (std::vector<double>{c.tieLon, c.pixel, 0, 90, 0, -c.pixel}));
        std::vector<std::int32_t> expected(words.size());
        for (std::size_t i = 0; i < words.size(); ++i) {
            const std::size_t col = i % std::size_t(w);
            const std::uint16_t word = words[c.shift ? i - col + (col + std::size_t(w) / 2) % std::size_t(w) : i];
            expected[i] = c.isSigned ? std::int16_t(word) : word;
        }
        EXPECT_EQ(read_band<std::int32_t>(*ds, 1, GDT_Int32), expected);
    }

    // The geokeys as the GeoTIFF tools read them (listgeo comes with
    // scripts/install-deps).
    ASSERT_TRUE(std::filesystem::exists("/usr/bin/listgeo"));
    const std::string text = run("/usr/bin/listgeo '" + dir.file("signed.tif") + "' 2>&1");
    for (const char* key : {"ModelTypeGeographic", "RasterPixelIsArea", "GCS_WGS_84", "Datum_WGS84", "Angular_Degree",
                            "Ellipse_WGS_84"}) {
        EXPECT_NE(text.find(key), std::string::npos) << key << " missing from\n" << text;
    }
}

TEST_F(L3EqrGeoTiff, RastersOtherThanSixteenBitGlobalGridsCreateNoFile)
{
    const std::vector<float> floats(std::size_t(3600) * 1800, 1.0f);
    const std::vector<std::uint16_t> small(std::size_t(720) * 360, 1);
    const std::vector<std::uint8_t> bytes(std::size_t(1440) * 720, 1);
    const std::function<bool()> loads[] = {[&] { return out.init_float(floats.data(), attr_of(3600, 1800), globe); },
                                           [&] { return out.init_short(small.data(), attr_of(720, 360), globe); },
                                           [&] { return out.init_char(bytes.data(), attr_of(1440, 720, 1), globe); }};
    for (const auto& load : loads) {
        ASSERT_TRUE(load());
        EXPECT_FALSE(out.gen_L3EQR_GeoTiffImage(dir.file("refused.tif"), true));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace vardane
