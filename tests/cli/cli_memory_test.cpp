// Memory: a file that claims or needs more memory than a worker may take
// fails alone, with a cause, and the files after it convert; a worker the
// system kills is reported as such.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <thread>

#include "batch_checks.h"
#include "integration/cli_run_support.h"
#include "synth_registry.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;

namespace {

std::string read_file(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::uint32_t u32_at(const std::string& b, std::size_t at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4); // the file is little-endian, as is the machine
    return v;
}
std::uint16_t u16_at(const std::string& b, std::size_t at)
{
    std::uint16_t v = 0;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

std::size_t padded8(std::size_t n) { return (n + 7) / 8 * 8; }

// Changes the stored length of the first variable-length string of attribute
// `name` (a version 1 attribute message: version, reserved byte, the sizes of
// name, datatype and dataspace, each of the three padded to 8 bytes, then
// the data, whose first 4 bytes are that length) to `length`.
void claim_string_length(const fs::path& file, const std::string& name, std::uint32_t length)
{
    std::string bytes = read_file(file);
    const std::size_t at = bytes.find(name + '\0');
    ASSERT_NE(at, std::string::npos) << name;
    const std::size_t header = at - 8;
    ASSERT_EQ(bytes[header], 1) << "not a version 1 attribute message";
    ASSERT_EQ(u16_at(bytes, header + 2), name.size() + 1);
    const std::size_t data = at + padded8(u16_at(bytes, header + 2)) + padded8(u16_at(bytes, header + 4))
                             + padded8(u16_at(bytes, header + 6));
    const std::uint32_t before = u32_at(bytes, data);
    ASSERT_TRUE(before > 0 && before < 256) << "no string length at the data: " << before;
    std::memcpy(bytes.data() + data, &length, 4);
    write_file(file, bytes);
}

// A product of real size, through the generator's own writer.
std::string full_size_product(const fs::path& path, const std::string& kind)
{
    synth_options options;
    options.full = true;
    for (const auto& k : all_synth_kinds()) {
        if (k.name == kind && k.write(path.string(), options)) return path.string();
    }
    ADD_FAILURE() << "cannot write a full " << kind;
    return "";
}

// A netCDF file: the classic or 64-bit offset header.
bool is_netcdf(const fs::path& path)
{
    const std::string head = read_file(path).substr(0, 3);
    return head == "CDF" && fs::file_size(path) > 1000;
}

// Peak resident size of every child waited for so far, workers included
// (the command line program waits for them), in bytes.
std::uint64_t children_peak()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

// In a build with AddressSanitizer a worker has no address-space limit (the
// sanitizer's shadow memory is beyond any); its allocator is capped instead,
// through the options the workers inherit, so that a claim of gigabytes
// fails there as well.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLimitApplies = false;
void cap_sanitizer_allocations()
{
    const char* options = std::getenv("ASAN_OPTIONS");
    const std::string before = options ? std::string(options) + ":" : "";
    ::setenv("ASAN_OPTIONS", (before + "allocator_may_return_null=1:max_allocation_size_mb=1024").c_str(), 1);
}
#else
constexpr bool kLimitApplies = true;
void cap_sanitizer_allocations() {}
#endif

std::vector<pid_t> children_of(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
    std::vector<pid_t> pids;
    for (pid_t child; in >> child;) pids.push_back(child);
    return pids;
}

} // namespace

TEST(CliMemory, StringClaimingGigabytesFailsItsFileAlone)
{
    integration::cli_scene scene;
    const auto bomb = scene.product("AMSR2_L1B", "a_bomb.h5");
    claim_string_length(bomb, "GranuleID", 0xFFFFFFF0u);
    const auto next = scene.product("AMSR2_L1B", "b_next.h5");
    cap_sanitizer_allocations();

    const auto r = scene.run({"--netcdf", "--max-memory", "1G", bomb, next});

    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_TRUE(says(r.err, "a_bomb.nc: Global attribute \"GranuleID\" is not text.\n")) << r.err;
    EXPECT_FALSE(says(r.err, "crashed")) << r.err;
    EXPECT_TRUE(is_netcdf(scene.out() / "b_next.nc"));
    EXPECT_FALSE(fs::exists(scene.out() / "a_bomb.nc"));
    EXPECT_TRUE(says(summary_of(r), "outputs written 1, failures 1,")) << summary_of(r);
    EXPECT_LT(children_peak(), std::uint64_t{1} << 30);
}

TEST(CliMemory, FileNeedingMoreThanTheLimitFailsOutOfMemory)
{
    integration::cli_scene scene;
    const auto heavy = full_size_product(scene.in() / "a_heavy.h5", "AMSR2_L1B");
    const auto small = scene.product("GSMAP_HOURLY", "b_small.h5");
    const auto last = scene.product("AMSR2_L3_BT", "c_last.h5");

    // One job: the small files come after the failure, to a fresh worker.
    const auto r = scene.run({"--geotiff", "--max-memory", "200M", heavy, small, last});
    if (!kLimitApplies) {
        EXPECT_EQ(r.status, 0) << r.err;
        return;
    }

    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_TRUE(says(r.err, ": out of memory\n")) << r.err;
    EXPECT_FALSE(says(r.err, "crashed")) << r.err;
    EXPECT_FALSE(says(r.err, "b_small.h5")) << r.err;
    EXPECT_FALSE(says(r.err, "c_last.h5")) << r.err;
    const auto made = integration::created(r.lines, "GeoTIFF");
    for (const char* stem : {"b_small", "c_last"}) {
        EXPECT_TRUE(std::any_of(made.begin(), made.end(), [&](const auto& n) { return n.rfind(stem, 0) == 0; }))
            << stem << "\n"
            << r.out;
    }
    EXPECT_FALSE(std::any_of(made.begin(), made.end(), [](const auto& n) { return n.rfind("a_heavy", 0) == 0; }));
    expect_clean_output(r, scene.out());

    // Without the limit the same file converts: the failure was the limit's.
    for (const auto& entry : fs::directory_iterator(scene.out())) fs::remove(entry.path());
    const auto free = scene.run({"--geotiff", "--max-memory", "0", heavy});
    EXPECT_EQ(free.status, 0) << free.err;
}

TEST(CliMemory, WorkerKilledFromOutsideIsReportedAsKilled)
{
    integration::cli_scene scene;
    const auto first = scene.product("AMSR2_L3_BT", "a_first.h5");
    const auto second = scene.product("GSMAP_HOURLY", "b_second.h5");
    const fs::path report = scene.in() / "report.jsonl";
    auto run = start_cli({"-o", scene.out().string(), "--settings", scene.settings(), "--pace", "1000", "--report",
                          report.string(), first, second});

    // The worker is converting the first file once its first stage is told.
    std::string head;
    char buffer[4096];
    while (!says(head, "Reading product data .....")) {
        const ssize_t n = ::read(run.stdoutFd, buffer, sizeof buffer);
        ASSERT_GT(n, 0) << head;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    const auto workers = children_of(run.pid);
    ASSERT_EQ(workers.size(), 1u);
    ::kill(workers.front(), SIGKILL);
    auto r = finish_cli(run);
    r.lines = split_lines(head + r.out);

    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(summary_of(r), "failures 1,")) << summary_of(r);
    const auto made = integration::created(r.lines, "GeoTIFF");
    ASSERT_EQ(made.size(), 1u) << head << r.out;
    EXPECT_EQ(made.front().rfind("b_second", 0), 0u) << made.front();
    const std::string records = read_file(report);
    EXPECT_TRUE(says(records, "\"killed (out of memory?)\"")) << records;
    EXPECT_FALSE(says(records, "SIGKILL")) << records;
}

} // namespace vardane
