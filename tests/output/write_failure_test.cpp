// Writers on a disk that stops taking bytes part-way. The file-size limit
// stands in for a full disk (a write past it fails with EFBIG where a full
// disk gives ENOSPC); it is set in a child process so that the test runner
// keeps writing freely. A writer that spins on the failed file never ends,
// and the test with it.
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "output/spout.h"
#include "output_test_support.h"

namespace vardane {

using namespace output_test;

namespace {

constexpr rlim_t kFileLimit = 256 * 1024;

// Exit status of a child that ran write under the limit: 0 when the writer
// reported the failure, left no file and named the file and the system's
// cause; 1 when it claimed success, 2 when it left its file behind, 3 when
// the cause was lost or another.
int write_under_limit(const std::function<bool()>& write, const std::string& name, const spout& out)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kFileLimit, kFileLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (write()) ::_exit(1);
        if (std::filesystem::exists(name)) ::_exit(2);
        const failure& why = out.last_failure();
        ::_exit(why.file == name && why.cause == std::strerror(EFBIG) ? 0 : 3);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

} // namespace

// A 1440 x 720 grid of 16-bit counts (2 MB, eight times the limit) loaded
// into a spout, and the writers to try on it by name.
class WriteFailure : public ::testing::Test {
protected:
    struct writer_case {
        const char* name;
        std::function<bool(const std::string&)> write;
    };

    void SetUp() override
    {
        words_.assign(std::size_t(1440) * 720, 300);
        ASSERT_TRUE(out.init_short(words_.data(), attr_of(1440, 720), grid_info(90, 0, -90, 360)));
    }

    // The writers of one TIFF file each.
    std::vector<writer_case> tiff_writers()
    {
        return {
            {"plain.tif", [this](const std::string& n) { return out.gen_TiffImage(n); }},
            {"geo.tif", [this](const std::string& n) { return out.gen_GeoTiffImage(n, 1); }},
            {"l3.tif", [this](const std::string& n) { return out.gen_L3EQR_GeoTiffImage(n, true); }},
        };
    }

    temp_dir dir;
    spout out;

private:
    std::vector<std::uint16_t> words_;
};

TEST_F(WriteFailure, EveryTiffWriterReportsAFullDiskAndLeavesNoFile)
{
    for (const auto& c : tiff_writers()) {
        const std::string name = dir.file(c.name);
        EXPECT_EQ(write_under_limit([&] { return c.write(name); }, name, out), 0) << c.name;
        // The same writer without the limit succeeds: the failure was the disk's.
        EXPECT_TRUE(c.write(name)) << c.name;
    }
}

// An output that cannot even be created carries the library's own words:
// GDAL's for the writers that go through it, libtiff's or the system's for
// the radiometer grids, libzip's or the system's for the KMZ.
TEST_F(WriteFailure, AnOutputInAMissingFolderNamesTheFileAndTheLibrarysCause)
{
    const std::string missing = dir.file("missing");
    std::vector<writer_case> cases = tiff_writers();
    cases.push_back({"colour.tif", [this](const std::string& n) { return out.gen_TiffImage(n, {}, "", true); }});
    cases.push_back(
        {"over.kmz", [this](const std::string& n) { return out.gen_KmzImage(n, false, {}, "", "", "", true); }});
    for (const auto& c : cases) {
        const std::string name = missing + "/" + c.name;
        ASSERT_FALSE(c.write(name)) << c.name;
        const failure& why = out.last_failure();
        EXPECT_EQ(why.file, name) << c.name;
        // Every library names the missing file or folder in its own way; the
        // system's words for it are the common part where it passes them on.
        EXPECT_FALSE(why.cause.empty()) << c.name;
        EXPECT_NE(why.cause, "not written") << c.name << ": the library's words were lost";
    }
    EXPECT_EQ(out.last_failure().cause, std::strerror(ENOENT)) << "the KMZ's first file is a text the system refused";
}

} // namespace vardane
