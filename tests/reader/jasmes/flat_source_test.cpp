// The byte source of the flat-binary readers: a gzip file reads as the bytes
// it was made of, wherever the reads and seeks fall; damage, a cut and a
// false length trailer stop the reads with a cause instead of passing bytes.
#include <algorithm>
#include <random>

#include "jasmes_test_support.h"
#include "reader/flat_source.h"

namespace vardane {

using namespace jasmes_test;

namespace {

class FlatSource : public ReaderTest {
protected:
    // Bytes that compress somewhat, over several input chunks of the inflater.
    static std::vector<unsigned char> content(std::size_t n, std::uint32_t seed)
    {
        std::mt19937 random(seed);
        std::vector<unsigned char> out(n);
        for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(i % 7 == 0 ? random() : i / 1000);
        return out;
    }

    std::string gz(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        EXPECT_TRUE(write_bytes_file(path(name), bytes));
        return path(name);
    }

    // Every byte through read_some in pieces of the given sizes, in turn.
    static std::vector<unsigned char> read_all(flat_source& in, const std::vector<std::size_t>& pieces)
    {
        std::vector<unsigned char> out;
        std::vector<unsigned char> piece;
        for (std::size_t k = 0;; ++k) {
            piece.resize(pieces[k % pieces.size()]);
            const std::size_t got = in.read_some(piece.data(), piece.size());
            out.insert(out.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
            if (got < piece.size()) return out;
        }
    }

    static std::vector<unsigned char> cat(std::vector<unsigned char> a, const std::vector<unsigned char>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
};

TEST_F(FlatSource, GzipAndPlainGiveTheSameBytesInAnyPieces)
{
    const auto bytes = content(300'000, 1);
    const auto plain = gz("grid.dat", bytes);
    const auto packed = gz("grid.dat.gz", bytes);
    EXPECT_LT(fs::file_size(packed), bytes.size());
    EXPECT_NE(bytes_of(packed), bytes);

    for (const auto& pieces : std::vector<std::vector<std::size_t>>{{1, 7, 65'537}, {300'000}, {400'000}}) {
        flat_source a(plain);
        flat_source b(packed);
        ASSERT_TRUE(a.is_open() && b.is_open());
        EXPECT_FALSE(a.compressed());
        EXPECT_TRUE(b.compressed());
        EXPECT_EQ(read_all(a, pieces), bytes);
        EXPECT_EQ(read_all(b, pieces), bytes);
        EXPECT_EQ(b.position(), bytes.size());
        EXPECT_EQ(b.cause(), "");
    }

    flat_source a(plain);
    flat_source b(packed);
    EXPECT_EQ(a.stored_length(), bytes.size());
    EXPECT_EQ(b.stored_length(), std::nullopt);
    EXPECT_EQ(a.content_length(1'000'000), bytes.size());
    EXPECT_EQ(b.content_length(1'000'000), bytes.size());
    EXPECT_EQ(b.position(), 0u);
}

TEST_F(FlatSource, SeeksForwardAndBackGiveTheBytesThere)
{
    const auto bytes = content(200'000, 2);
    for (const auto& name : {"seek.dat", "seek.dat.gz"}) {
        flat_source in(gz(name, bytes));
        std::vector<unsigned char> got(5000);
        for (const std::uint64_t at : {150'000u, 10u, 195'000u, 0u, 70'000u}) {
            ASSERT_TRUE(in.seek(at)) << name << " " << at;
            ASSERT_TRUE(in.read(got.data(), got.size())) << name << " " << at;
            EXPECT_TRUE(std::equal(got.begin(), got.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at)))
                << name << " " << at;
        }
    }
}

TEST_F(FlatSource, ReadPastTheEndIsShortAndSaysWhere)
{
    const auto bytes = content(1000, 3);
    for (const auto& name : {"short.dat", "short.dat.gz"}) {
        flat_source in(gz(name, bytes));
        std::vector<unsigned char> got(600);
        ASSERT_TRUE(in.read(got.data(), got.size()));
        EXPECT_EQ(in.read_some(got.data(), got.size()), 400u) << name;
        EXPECT_FALSE(in.read(got.data(), 1)) << name;
        EXPECT_EQ(in.cause(), "content ends after 1000 bytes") << name;
    }
    flat_source packed(path("short.dat.gz"));
    EXPECT_FALSE(packed.seek(1001));
}

TEST_F(FlatSource, ConcatenatedMembersReadAsOneAndCountWhole)
{
    // The last member's length trailer says 70,000; the content is 250,000.
    const auto first = content(180'000, 4);
    const auto second = content(70'000, 5);
    const auto joined = cat(bytes_of(gz("a.gz", first)), bytes_of(gz("b.gz", second)));
    ASSERT_TRUE(write_bytes_file(path("joined.dat"), joined));
    fs::rename(path("joined.dat"), path("joined.dat.gz"));

    flat_source in(path("joined.dat.gz"));
    EXPECT_EQ(in.content_length(1'000'000), 250'000u);
    EXPECT_EQ(read_all(in, {4096}), cat(first, second));
    EXPECT_EQ(in.cause(), "");
}

TEST_F(FlatSource, CountStopsJustPastTheLimit)
{
    flat_source in(gz("zeros.dat.gz", std::vector<unsigned char>(3'000'000, 0)));
    const auto counted = in.content_length(1000);
    ASSERT_TRUE(counted.has_value());
    EXPECT_GT(*counted, 1000u);
    EXPECT_LT(*counted, 3'000'000u);
    EXPECT_EQ(in.content_length(3'000'000), 3'000'000u);
}

// Damaged files, each with the words of its cause.
TEST_F(FlatSource, DamageStopsTheReadWithItsCause)
{
    const auto bytes = content(200'000, 6);
    const auto packed = bytes_of(gz("whole.dat.gz", bytes));
    auto wrongLength = packed;
    wrongLength[wrongLength.size() - 1] ^= 0x01; // the length trailer, modulo 2^32, off by 2^24
    auto wrongData = packed;
    wrongData[wrongData.size() / 2] ^= 0x55;
    const std::vector<std::pair<std::vector<unsigned char>, std::string>> cases{
        {{packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packed.size() / 2)},
         "gzip data are cut short: they end inside a member"},
        {wrongLength, "gzip data are damaged: incorrect length check"},
        {wrongData, "gzip data are damaged: "},
        {cat(packed, {'t', 'r', 'a', 'i', 'l'}), "gzip data are damaged: "},
        {bytes, "gzip data are damaged: incorrect header check"},
    };
    int k = 0;
    for (const auto& [file, cause] : cases) {
        const std::string p = path("damaged" + std::to_string(k++) + ".dat.gz");
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        flat_source in(p);
        ASSERT_TRUE(in.is_open());
        EXPECT_EQ(in.content_length(1'000'000), std::nullopt) << p;
        EXPECT_EQ(in.cause().rfind(cause, 0), 0u) << p << ": " << in.cause();
        std::vector<unsigned char> got(bytes.size());
        EXPECT_FALSE(in.read(got.data(), got.size())) << p;
        EXPECT_FALSE(in.cause().empty());
    }
    // A gzip file of nothing at all.
    std::ofstream(path("empty.dat.gz"), std::ios::binary).flush();
    flat_source empty(path("empty.dat.gz"));
    EXPECT_EQ(empty.content_length(10), std::nullopt);
    EXPECT_EQ(empty.cause(), "holds no gzip data");
}

TEST(FlatSourceName, OnlyAFileNameEndingInGzIsCompressed)
{
    EXPECT_TRUE(is_gzip_name("/a/gsmap_x.dat.gz"));
    EXPECT_TRUE(is_gzip_name("C:\\a\\x.DAT.GZ"));
    EXPECT_FALSE(is_gzip_name("/a.gz/x.dat"));
    EXPECT_FALSE(is_gzip_name("x.gzip"));
    EXPECT_FALSE(is_gzip_name("gz"));
    EXPECT_TRUE(is_gzip_name(".gz"));
}

} // namespace

} // namespace vardane
