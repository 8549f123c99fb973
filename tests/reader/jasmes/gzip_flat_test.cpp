// Flat-binary products distributed gzip-compressed (*.gz): recognised by
// what they inflate to and read sample for sample as the plain file; damaged
// ones are a failure of the file or no product, never a raster.
#include <algorithm>
#include <bit>

#include "jasmes_test_support.h"

namespace vardane {

using namespace jasmes_test;

namespace {

// Bit for bit, so that the codes -99 and -999.9 stay exactly what they were.
bool same_bits(float x, float y) { return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y); }

class GzipFlat : public ReaderTest {
protected:
    // The same synthetic file plain and compressed, under provider-like names.
    std::pair<std::string, std::string> both(const std::string& kind, const std::string& name,
                                             const std::vector<std::pair<std::string, std::string>>& set)
    {
        return {synth(kind, name, set), synth(kind, name + ".gz", set)};
    }

    static void expect_same_description(const spinfo& a, const spinfo& b)
    {
        EXPECT_EQ(a.getType(), b.getType());
        EXPECT_EQ(a.getPara(), b.getPara());
        EXPECT_EQ(a.productName(), b.productName());
        EXPECT_EQ(a.N_count(), b.N_count());
        EXPECT_EQ(a.getHeaderSize(), b.getHeaderSize());
        EXPECT_EQ(a.getJasmesArea(), b.getJasmesArea());
        earthPoint_t ca[4];
        earthPoint_t cb[4];
        a.get_Corner(ca);
        b.get_Corner(cb);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(ca[k].lat, cb[k].lat);
            EXPECT_EQ(ca[k].lon, cb[k].lon);
        }
    }

    static void expect_same_read(spinfo& a, spinfo& b, std::uint32_t idx)
    {
        std::int32_t ta = -5;
        std::int32_t tb = -5;
        ASSERT_TRUE(a.get_dataSource(idx, ta));
        ASSERT_TRUE(b.get_dataSource(idx, tb)) << b.last_failure().cause;
        EXPECT_EQ(ta, tb);
        EXPECT_EQ(a.dataAttr().width, b.dataAttr().width);
        EXPECT_EQ(a.dataAttr().height, b.dataAttr().height);
        EXPECT_EQ(a.dataAttr().bands, b.dataAttr().bands);
        EXPECT_TRUE(std::equal(a.floatRaster().begin(), a.floatRaster().end(), b.floatRaster().begin(),
                               b.floatRaster().end(), same_bits));
        EXPECT_TRUE(
            std::equal(a.byteRaster().begin(), a.byteRaster().end(), b.byteRaster().begin(), b.byteRaster().end()));
        EXPECT_FALSE(a.floatRaster().empty() && a.byteRaster().empty());
    }
};

struct packed_case {
    const char* kind;
    const char* name;
    std::vector<std::pair<std::string, std::string>> set;
    productType type;
};

TEST_F(GzipFlat, EveryFlatFamilyReadsAsThePlainFile)
{
    const packed_case cases[] = {
        {"GSMAP_BIN", "gsmap_mvk.20220701.0000.v8.0000.0.dat", {{"size", "small"}}, PT_GSMAP_HOURLY},
        {"GSMAP_BIN", "gsmap_mvk.202207.0.1d.monthly.00Z-23Z.v8.0000.0.dat", {{"period", "monthly"}}, PT_GSMAP_MONTHLY},
        {"JASMES_RAW", "lst.dat", {{"grid", "japan"}, {"bytes", "2"}}, PT_JASMES_RAW},
        {"JASMES_HDR", "chla.dat", {{"para", "chla"}, {"bytes", "2"}}, PT_JASMES_HDR},
        // Planes 9, 8, 7 and 3, 2, 1: reads that go backwards through the
        // compressed stream.
        {"JASMES_HDR", "aerosol.dat", {{"form", "t2"}}, PT_JASMES_HDR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [plain, packed] = both(c.kind, c.name, c.set);
        EXPECT_LT(fs::file_size(packed), fs::file_size(plain));
        spinfo a;
        spinfo b;
        recognise(a, plain);
        recognise(b, packed);
        ASSERT_EQ(a.getType(), c.type);
        EXPECT_TRUE(b.last_failure().cause.empty()) << b.last_failure().cause;
        expect_same_description(a, b);
        for (std::uint32_t idx = 0; idx < a.N_count(); ++idx) expect_same_read(a, b, idx);
    }
}

TEST_F(GzipFlat, DamagedGsmapFileIsAFailureNamingIt)
{
    const auto packed = synth("GSMAP_BIN", "gsmap_mvk.20220701.0100.v8.0000.0.dat.gz", {{"size", "large"}});
    const auto bytes = bytes_of(packed);
    const std::vector<std::pair<std::vector<unsigned char>, std::string>> cases{
        {{bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 3)}, "cut short"},
        {std::vector<unsigned char>(bytes.size(), 'x'), "incorrect header check"},
    };
    for (const auto& [file, words] : cases) {
        const std::string p = path("gsmap_mvk.20220701.0200.v8.0000.0.dat.gz");
        std::ofstream(p, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        spinfo info;
        recognise(info, p);
        EXPECT_EQ(info.getType(), PT_UNKNOWN);
        EXPECT_EQ(info.last_failure().file, fs::absolute(p).string());
        EXPECT_NE(info.last_failure().cause.find(words), std::string::npos) << info.last_failure().cause;
    }
}

TEST_F(GzipFlat, GsmapSizeIsTheInflatedOne)
{
    // One float too many once inflated, though the file is far smaller.
    std::vector<unsigned char> grid(17'280'004, 0);
    ASSERT_TRUE(write_bytes_file(path("gsmap_odd.dat.gz"), grid));
    spinfo info;
    recognise(info, path("gsmap_odd.dat.gz"));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.last_failure().cause, "decompressed size of 17280004 bytes fits no GSMaP grid");

    // Inflated no further than the largest GSMaP file.
    ASSERT_TRUE(write_bytes_file(path("gsmap_big.dat.gz"), std::vector<unsigned char>(60'000'000, 0)));
    recognise(info, path("gsmap_big.dat.gz"));
    EXPECT_EQ(info.last_failure().cause, "decompressed size of more than 34560000 bytes fits no GSMaP grid");

    // A plain file under a .gz name is not gzip data.
    grid.resize(17'280'000);
    ASSERT_TRUE(write_bytes_file(path("plain.dat"), grid));
    fs::rename(path("plain.dat"), path("gsmap_plain.dat.gz"));
    recognise(info, path("gsmap_plain.dat.gz"));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.last_failure().cause, "gzip data are damaged: incorrect header check");
}

TEST_F(GzipFlat, JasmesFamilyDamageIsAFailureOtherTextNoProduct)
{
    // A headerless Japan grid cut inside its compressed data.
    const auto packed = synth("JASMES_RAW", "lst.dat.gz", {{"grid", "japan"}, {"bytes", "2"}});
    fs::resize_file(packed, fs::file_size(packed) / 2);
    spinfo info;
    recognise(info, packed);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.last_failure().cause, "gzip data are cut short: they end inside a member");

    // Headed: the header inflates, the planes do not.
    const auto headed = synth("JASMES_HDR", "sst.dat.gz", {{"para", "sst"}, {"bytes", "1"}});
    fs::resize_file(headed, fs::file_size(headed) - 20);
    recognise(info, headed);
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_NE(info.last_failure().cause.find("gzip data are"), std::string::npos) << info.last_failure().cause;

    // Intact gzip of something else: no product, nothing failed.
    std::vector<unsigned char> text(5000, 'a');
    ASSERT_TRUE(write_bytes_file(path("notes.txt.gz"), text));
    recognise(info, path("notes.txt.gz"));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_TRUE(info.last_failure().cause.empty()) << info.last_failure().cause;

    // A JASMES header whose compressed planes are one row short: the size
    // named is the inflated one.
    const synth_grid g = *find_synth_grid("gobi");
    std::vector<unsigned char> payload;
    append_u8(payload, synth_counts(g.width, g.height - 1, 1, 0, 254, 255));
    ASSERT_TRUE(write_headed_file(path("short.dat.gz"), t1_header_line(g, 0.1, 0.0, "sst", "Gobi"),
                                  std::size_t(g.width), payload));
    recognise(info, path("short.dat.gz"));
    EXPECT_EQ(info.getType(), PT_UNKNOWN);
    EXPECT_EQ(info.last_failure().cause, "decompressed size of " + std::to_string(g.width * g.height)
                                             + " bytes does not fit its header (1441 x 461)");
}

// Any byte of a compressed file changed, or the file cut anywhere: the file
// is a failure, no product, or (a change in the unchecked parts of a gzip
// header) exactly the plain file's raster. Never other samples.
TEST_F(GzipFlat, ChangedOrCutFilesNeverGiveOtherSamples)
{
    const std::pair<const char*, std::vector<std::pair<std::string, std::string>>> products[] = {
        {"JASMES_HDR", {{"para", "sst"}, {"bytes", "1"}, {"width", "300"}, {"height", "20"}}},
        {"GSMAP_BIN", {{"size", "small"}}},
    };
    for (const auto& [kind, set] : products) {
        SCOPED_TRACE(kind);
        const auto [plain, packed] =
            both(kind, std::string(kind) == "GSMAP_BIN" ? "gsmap_mutant.dat" : "mutant.dat", set);
        spinfo reference;
        recognise(reference, plain);
        std::int32_t dtype = -5;
        ASSERT_TRUE(reference.get_dataSource(0, dtype));
        const auto original = bytes_of(packed);
        std::vector<std::vector<unsigned char>> mutants;
        for (std::size_t at = 0; at < original.size(); at += 1 + original.size() / 40) {
            auto changed = original;
            changed[at] ^= 0x24;
            mutants.push_back(changed);
            mutants.emplace_back(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(at));
        }
        // The header's time stamp: not covered by any check.
        auto stamped = original;
        stamped[5] ^= 0x11;
        mutants.push_back(stamped);
        std::size_t same = 0;
        for (const auto& m : mutants) {
            std::ofstream(packed, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(m.data()), static_cast<std::streamsize>(m.size()));
            spinfo info;
            if (m.empty()) continue; // an empty file is no product before any reader sees it
            recognise(info, packed);
            if (info.getType() == PT_UNKNOWN) continue;
            if (!info.get_dataSource(0, dtype)) continue;
            ASSERT_EQ(info.floatRaster().size(), reference.floatRaster().size());
            EXPECT_TRUE(std::equal(info.floatRaster().begin(), info.floatRaster().end(),
                                   reference.floatRaster().begin(), same_bits));
            ++same;
        }
        EXPECT_GE(same, 1u); // at least the stamped header
        EXPECT_LT(same, mutants.size() / 4);
    }
}

} // namespace

} // namespace vardane
