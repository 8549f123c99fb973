// Malformed, truncated, oversized and oddly named inputs: every one gives
// "no product" or a failed read, never a crash or a read past the data.
#include "jasmes_test_support.h"

namespace vardane {

using namespace jasmes_test;

namespace {

class JasmesHostile : public ReaderTest {
protected:
    // A headed byte file on a small grid, header row w bytes.
    std::string headed(const std::string& name, const std::string& line, int w = 400, int h = 3)
    {
        std::vector<unsigned char> payload(static_cast<std::size_t>(w) * h, 7);
        EXPECT_TRUE(write_headed_file(path(name), line, static_cast<std::size_t>(w), payload));
        return path(name);
    }

    static synth_grid small_grid(int w, int h)
    {
        synth_grid g = *find_synth_grid("gobi");
        g.width = w;
        g.height = h;
        return g;
    }
};

TEST_F(JasmesHostile, HeaderLinesOfOddLengthOrWithUnprintableBytes)
{
    const auto line = t1_header_line(small_grid(400, 3), 1.0, 0.0, "sst", "area");
    spinfo info;
    recognise(info, headed("ok.dat", line));
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);

    for (std::size_t n : {20u, 35u, 48u, 60u, 109u}) {
        recognise(info, headed("cut" + std::to_string(n) + ".dat", line.substr(0, n)));
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << n;
    }
    for (std::size_t at : {40u, 65u, 100u}) {
        for (char bad : {'\x01', '\x7f', '\xc3', '\t'}) {
            auto broken = line;
            broken[at] = bad;
            recognise(info, headed("bad.dat", broken));
            EXPECT_EQ(info.getType(), PT_UNKNOWN) << at << " " << int(bad);
        }
    }
    // A line without any line end runs to the 255-character limit.
    std::string endless(300, 'x');
    endless.replace(0, line.size(), line);
    std::vector<unsigned char> payload(endless.begin(), endless.end());
    payload.resize(400 + 400 * 3, 7);
    ASSERT_TRUE(write_bytes_file(path("endless.dat"), payload));
    recognise(info, path("endless.dat"));
    EXPECT_EQ(info.getType(), PT_JASMES_HDR);
}

TEST_F(JasmesHostile, ImpossibleShapesAndSizesOneByteOff)
{
    spinfo info;
    // Width and height at the field limits, negative and zero: no allocation,
    // no product.
    for (auto [w, h] : {std::pair{999999, 999999}, {-400, 3}, {0, 3}, {400, 0}}) {
        auto line = t1_header_line(small_grid(400, 3), 1.0, 0.0, "sst", "area");
        char field[16];
        std::snprintf(field, sizeof field, "%6d%6d", w, h);
        line.replace(0, 12, field);
        recognise(info, headed("shape.dat", line));
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << w << "x" << h;
    }
    const auto p = synth("JASMES_HDR", "t1.dat", {{"bytes", "2"}, {"width", "300"}, {"height", "20"}});
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDR);
    for (std::intmax_t delta : {1, -2}) {
        fs::resize_file(p, static_cast<std::uintmax_t>(static_cast<std::intmax_t>(fs::file_size(p)) + delta));
        recognise(info, p);
        EXPECT_EQ(info.getType(), PT_UNKNOWN) << delta;
        // Its own header makes it a cut or padded product, not a stranger.
        EXPECT_NE(info.last_failure().cause.find("does not fit its header"), std::string::npos) << delta;
        EXPECT_EQ(info.last_failure().file, p);
    }
    // Short files are no product, whatever they hold.
    ASSERT_TRUE(write_bytes_file(path("tiny.dat"), std::vector<unsigned char>(255, 0)));
    recognise(info, path("tiny.dat"));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
}

TEST_F(JasmesHostile, HeaderGridsOffTheGlobeGiveNoImage)
{
    struct bad_field {
        std::size_t column;
        const char* text;
    };
    // Pixel size 0 or negative, origin latitude 999, origin longitude nan;
    // the untouched header reads.
    const bad_field cases[] = {{28, "     0.0"}, {28, "   -0.05"}, {20, "   999.0"}, {12, "     nan"}, {0, ""}};
    for (const auto& c : cases) {
        auto line = t1_header_line(small_grid(400, 3), 1.0, 0.0, "sst", "area");
        line.replace(c.column, std::char_traits<char>::length(c.text), c.text);
        spinfo info;
        recognise(info, headed("grid.dat", line));
        ASSERT_EQ(info.getType(), PT_JASMES_HDR) << c.text;
        std::int32_t dtype = -5;
        EXPECT_EQ(info.get_dataSource(0, dtype), *c.text == '\0') << c.text;
    }
}

TEST_F(JasmesHostile, FileShrinksBetweenRecognitionAndRead)
{
    const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> cases = {
        {"JASMES_RAW", {{"bytes", "1"}}},
        {"JASMES_RAW", {{"bytes", "2"}}},
        {"JASMES_HDR", {{"form", "wst"}}},
        {"JASMES_HDR", {{"form", "t1rgb"}}},
        {"JASMES_HDR", {{"form", "t2"}, {"width", "120"}, {"height", "30"}}},
        {"GSMAP_BIN", {}},
    };
    for (const auto& [kind, variants] : cases) {
        const auto p = synth(kind, kind == "GSMAP_BIN" ? "gsmap_shrink.dat" : "shrink.dat", variants);
        spinfo info;
        recognise(info, p);
        ASSERT_NE(info.getType(), PT_UNKNOWN) << kind;
        fs::resize_file(p, fs::file_size(p) - 1);
        for (std::uint32_t idx = 0; idx < info.N_count(); ++idx) {
            std::int32_t dtype = -5;
            EXPECT_FALSE(info.get_dataSource(idx, dtype)) << kind << " " << idx;
            EXPECT_EQ(dtype, DT_NONE);
            EXPECT_TRUE(info.byteRaster().empty() && info.floatRaster().empty());
        }
        fs::remove(p);
        std::int32_t dtype = -5;
        EXPECT_FALSE(info.get_dataSource(0, dtype)) << kind;
    }
}

TEST_F(JasmesHostile, NamesWithBlanksAndNonAsciiBytes)
{
    const std::string odd = " \xe6\x97\xa5\xe6\x9c\xac \xff";
    const std::tuple<const char*, std::string, productType> cases[] = {
        {"JASMES_RAW", "wf" + odd + ".dat", PT_JASMES_RAW},
        {"JASMES_HDR", "t1" + odd + ".dat", PT_JASMES_HDR},
        {"JASMES_HDF4", "flag" + odd + ".hdf", PT_JASMES_HDF4},
        {"GSMAP_BIN", "gsmap_" + odd + ".dat", PT_GSMAP_HOURLY},
    };
    for (const auto& [kind, name, type] : cases) {
        spinfo info;
        recognise(info, synth(kind, name));
        EXPECT_EQ(info.getType(), type) << kind;
        std::int32_t dtype = -5;
        EXPECT_TRUE(info.get_dataSource(0, dtype)) << kind;
    }
}

TEST_F(JasmesHostile, Hdf4ExtentsLargerThanTheFile)
{
    spinfo info;
    // Declared 20000 x 20000 with no data stored: the file is a few kB.
    const auto p = path("empty_extent.hdf");
    ASSERT_TRUE(write_jasmes_hdf4(p, 20000, 20000, {{"cs_flg_tpf", 8, false}}, "M5C_x", 1));
    ASSERT_LT(fs::file_size(p), 100'000u);
    recognise(info, p);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);

    // Beyond any plausible image, whatever the storage.
    const auto big = path("big.hdf");
    ASSERT_TRUE(write_jasmes_hdf4(big, 200000, 200000, {{"cs_flg_tpf", 8, false}}, "M5C_x", 1));
    recognise(info, big);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
}

TEST_F(JasmesHostile, Hdf4FileTruncatedOrReplaced)
{
    const auto p = synth("JASMES_HDF4", "flags.hdf", {{"flags", "both"}});
    const auto full = bytes_of(p);
    spinfo info;
    // Cut at several points: recognition or read fails, never crashes.
    for (std::size_t keep : {full.size() - 1, full.size() / 2, std::size_t{600}, std::size_t{300}}) {
        std::vector<unsigned char> part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(keep));
        ASSERT_TRUE(write_bytes_file(path("cut.hdf"), part));
        recognise(info, path("cut.hdf"));
        if (info.getType() == PT_JASMES_HDF4) {
            std::int32_t dtype = -5;
            (void)info.get_dataSource(0, dtype);
        } else {
            EXPECT_EQ(info.getType(), PT_UNKNOWN);
        }
    }
    // Replaced by an image of another shape between recognition and read.
    recognise(info, p);
    ASSERT_EQ(info.getType(), PT_JASMES_HDF4);
    fs::remove(p);
    ASSERT_TRUE(write_jasmes_hdf4(p, 30, 20, {{"cs_flg_tpf", 8, true}}, "M5C_x", 1));
    std::int32_t dtype = -5;
    EXPECT_FALSE(info.get_dataSource(0, dtype));
    EXPECT_TRUE(info.byteRaster().empty());
}

TEST_F(JasmesHostile, Hdf4SignatureFollowedByGarbage)
{
    std::vector<unsigned char> bytes = {0x0e, 0x03, 0x13, 0x01};
    for (int i = 0; i < 4000; ++i) bytes.push_back(static_cast<unsigned char>((i * 7919) >> 3));
    ASSERT_TRUE(write_bytes_file(path("garbage.hdf"), bytes));
    spinfo info;
    recognise(info, path("garbage.hdf"));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
}

} // namespace

} // namespace vardane
