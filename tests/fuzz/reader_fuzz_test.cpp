// Feeds every reader mutants of the synthetic products: spinfo::init, then
// every parameter through get_productInfo and get_dataSource, each mutant in
// a child process. A read that succeeds must keep the read-data contract, a
// reader must not throw (but for a missing SGLI dataset, which ends the run
// by design), no HDF5 object may stay open, and in a sanitizer build any
// out-of-bounds access, overflow or leak of ours fails the test. A crash
// whose first frame lies in a system library (HDF5 decoding a corrupt heap)
// is counted and printed, not failed: no caller can prevent it. A reader
// that gives no result within two minutes fails (attach a debugger to the
// child to see where it loops).
//
// The mutants are fixed by the seed: VARDANE_FUZZ_MUTANTS (default 12) sets
// how many per product, VARDANE_FUZZ_SEED (default 20240601) the first seed.
#include <gtest/gtest.h>
#include <H5Cpp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/byte_mutator.h"
#include "fuzz/seed_products.h"
#include "reader/spinfo.h"
#include "support/scratch_folder.h"
#include "support/synthetic_file.h"

// Sanitizer builds: an allocation far beyond any small product fails as it
// would on a machine without that much memory (malloc returns null, new
// throws), so that a size trusted from the file shows up as a thrown
// exception below, while the libraries' own checked mallocs fail softly.
// The runtime finds the hook by this name, reserved as it is.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options()
// NOLINTEND(bugprone-reserved-identifier)
{
    // Whole stacks through the HDF5 library, which has no frame pointers, so
    // that the leak suppressions can tell its own blocks from ours.
    return "allocator_may_return_null=1:max_allocation_size_mb=2048:fast_unwind_on_malloc=0";
}

namespace vardane {

namespace fs = std::filesystem;

namespace {

std::uint32_t env_number(const char* name, std::uint32_t fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10));
}

// A corrupt file may announce any number of parameters; reading the first
// ones covers every code path of the readers.
constexpr std::uint32_t kMaxParameters = 64;

std::vector<unsigned char> bytes_of(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const fs::path& p, const std::vector<unsigned char>& b)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

std::size_t samples_of(const spinfo& info, std::int32_t dtype)
{
    switch (dtype) {
    case DT_UINT8: return info.byteRaster().size();
    case DT_UINT16:
    case DT_INT16: return info.shortRaster().size();
    case DT_FLOAT32: return info.floatRaster().size();
    default: return 0;
    }
}

// The root attribute by which an HDF5 product names itself, and its value
// in the unmutated file; empty for products that name themselves elsewhere.
struct product_claim {
    std::string key;
    std::string value;
};

product_claim claim_of(const fs::path& original)
{
    spinfo info;
    info.init(original.string(), fs::file_size(original));
    for (const char* key : {"ProductName", "FileHeader"}) {
        const auto it = info.attributes().find(key);
        if (it != info.attributes().end() && !it->second.empty()) return {key, it->second};
    }
    return {};
}

// Recognises and reads one file the way the run driver does; returns a
// description of the first broken rule, or "" when every rule held.
std::string exercise(const fs::path& path, const product_claim& claim)
{
    spinfo info;
    info.init(path.string(), fs::file_size(path));
    // A file that still names itself the product is that product, or that
    // product's failure with a cause: never a stranger.
    if (!claim.key.empty() && info.getType() == PT_UNKNOWN && !info.last_failure().failed()) {
        const auto it = info.attributes().find(claim.key);
        if (it != info.attributes().end() && it->second == claim.value)
            return "the file still names itself by " + claim.key + " but is taken for no product, without a cause";
    }
    if (info.last_failure().failed() && (info.last_failure().cause.empty() || info.last_failure().file.empty()))
        return "a failure without a file or a cause";
    earthPoint_t corners[4];
    info.get_Corner(corners);
    info.get_Corner_B(corners);
    (void)info.getCLT();
    const std::uint32_t n = std::min(info.N_count(), kMaxParameters);
    for (std::uint32_t idx = 0; idx < n; ++idx) {
        (void)info.N_pixel(idx);
        (void)info.N_line(idx);
        (void)info.N_byte(idx);
        productInfo_t pinfo;
        info.get_productInfo(idx, pinfo);
        std::int32_t dtype = -1;
        if (!info.get_dataSource(idx, dtype)) {
            // A refused read says why, for the run's report.
            if (info.last_failure().cause.empty() || info.last_failure().file.empty())
                return "parameter " + std::to_string(idx) + " refused without a file and a cause";
            continue;
        }
        const auto& a = info.dataAttr();
        if (a.width <= 0 || a.height <= 0)
            return "parameter " + std::to_string(idx) + " read with shape " + std::to_string(a.width) + "x"
                   + std::to_string(a.height);
        const std::size_t need = static_cast<std::size_t>(a.width) * static_cast<std::size_t>(a.height)
                                 * static_cast<std::size_t>(std::max(a.bands, 1));
        if (samples_of(info, dtype) < need)
            return "parameter " + std::to_string(idx) + " dtype " + std::to_string(dtype) + " holds "
                   + std::to_string(samples_of(info, dtype)) + " samples for " + std::to_string(need);
    }
    return "";
}

class ReaderFuzz : public ::testing::TestWithParam<std::size_t> {};

// Outcome of one mutant, read in a child process so that a crash inside a
// third-party library (which no caller can prevent) is told apart from one in
// our code and the run goes on with the next mutant.
enum class outcome { clean, broken_rule, missing_sgli_dataset, library_crash, own_fault };

// Runs in the child: exit status 0 clean, 3 a broken rule (message on
// standard output), 4 the documented SGLI exception; a sanitizer report
// exits with its own status.
[[noreturn]] void child_exercise(const fs::path& path, const std::string& kind, const product_claim& claim)
{
    std::string broken;
    int status = 0;
    try {
        broken = exercise(path, claim);
    } catch (const std::exception& e) {
        broken = std::string("exception: ") + e.what();
    } catch (const H5::DataSetIException& e) {
        // The one exception the readers let through on purpose: an SGLI
        // dataset missing from the file ends the run with the library's
        // message (the run driver reports it).
        if (kind.rfind("SGLI_", 0) == 0 && e.getDetailMsg().rfind("unable to open dataset ", 0) == 0)
            status = 4;
        else
            broken = "HDF5 exception: " + e.getFuncName() + ": " + e.getDetailMsg();
    } catch (const H5::Exception& e) {
        broken = "HDF5 exception: " + e.getFuncName() + ": " + e.getDetailMsg();
    } catch (...) {
        broken = "exception of a library type";
    }
    // Predefined datatypes of the C++ interface stay open for the process.
    constexpr unsigned kOwnedObjects = H5F_OBJ_FILE | H5F_OBJ_DATASET | H5F_OBJ_GROUP | H5F_OBJ_ATTR;
    if (broken.empty() && H5Fget_obj_count(H5F_OBJ_ALL, kOwnedObjects) != 0) broken = "HDF5 objects left open";
    if (!broken.empty()) {
        std::cout << broken << std::endl;
        status = 3;
    }
    std::exit(status); // exit, not _exit: the leak checker runs at exit
}

// First stack frame of a section of a sanitizer report, past the
// sanitizer's interceptors and the C library's memory routines: true when
// it lies in a shared library of the system (HDF5, HDF4), false in our code.
bool section_starts_in_library(const std::string& report, std::size_t at)
{
    while ((at = report.find("    #", at)) != std::string::npos) {
        const std::size_t end = report.find('\n', at);
        const std::string frame = report.substr(at, end - at);
        at = end;
        // The sanitizer's interceptors and the C library's memory routines
        // act for whoever called them: look at the caller.
        if (frame.find("libsanitizer") != std::string::npos || frame.find("__interceptor_") != std::string::npos
            || frame.find("/sysdeps/") != std::string::npos)
            continue;
        return frame.find("(/lib/") != std::string::npos || frame.find("(/usr/lib/") != std::string::npos;
    }
    return false;
}

// A fault inside a library counts as the library's only when the memory it
// touched was the library's too: a buffer of ours handed to HDF5 too small
// shows up as a library frame writing into a block we allocated.
bool report_is_library_fault(const std::string& report)
{
    if (!section_starts_in_library(report, 0)) return false;
    const auto allocated = report.find("allocated by thread");
    return allocated == std::string::npos || section_starts_in_library(report, allocated);
}

std::string text_of(const fs::path& p)
{
    std::ifstream in(p);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr unsigned kChildSeconds = 120;

outcome run_mutant(const fs::path& path, const std::string& kind, const product_claim& claim, std::string& message)
{
    const fs::path out = path.parent_path() / "child.out";
    const fs::path err = path.parent_path() / "child.err";
    std::cout.flush();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr)) std::_Exit(5);
        // A reader stuck in a loop ends by the alarm signal.
        ::alarm(kChildSeconds);
        child_exercise(path, kind, claim);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
        message = "could not start the reader process";
        return outcome::own_fault;
    }
    const std::string report = text_of(err);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return outcome::clean;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 4) return outcome::missing_sgli_dataset;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3) {
        message = text_of(out);
        return outcome::broken_rule;
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
        message = "no result after " + std::to_string(kChildSeconds) + " s";
        return outcome::own_fault;
    }
    message = report.empty() ? "reader process ended with status " + std::to_string(status) : report;
    // A leak report is ours unless suppressed; a crash whose first frame is
    // in a system library is that library's (it reads the corrupt structure
    // itself), and is counted, not failed.
    const bool leak = report.find("LeakSanitizer") != std::string::npos;
    return !leak && report_is_library_fault(report) ? outcome::library_crash : outcome::own_fault;
}

TEST_P(ReaderFuzz, MutantsAreReadSafely)
{
    const auto seeds = fuzz::seed_products();
    const auto& seed = seeds.at(GetParam());
    const test_support::scratch_folder dir("vardane-fuzz");
    const auto original = test_support::write_synthetic(seed.kind, dir / seed.fileName, seed.variants);
    ASSERT_FALSE(original.empty()) << seed.kind;
    // Hand the HDF5 library's free lists back before forking: a child that
    // fails on a corrupt file may drop blocks it inherited, which the leak
    // checker would then blame on the reader.
    H5garbage_collect();
    const auto bytes = bytes_of(original);
    ASSERT_FALSE(bytes.empty());
    const product_claim claim = claim_of(original);
    H5garbage_collect();
    fs::remove(original);

    const std::uint32_t mutants = env_number("VARDANE_FUZZ_MUTANTS", 12);
    const std::uint32_t firstSeed = env_number("VARDANE_FUZZ_SEED", 20240601);
    std::uint32_t missingSgliDatasets = 0;
    std::uint32_t libraryCrashes = 0;
    for (std::uint32_t m = 0; m < mutants; ++m) {
        const std::uint32_t mutantSeed = firstSeed + static_cast<std::uint32_t>(GetParam()) * 7919u + m;
        fuzz::byte_mutator mutator(mutantSeed);
        std::string what;
        const auto mutant = mutator.mutate(bytes, what);
        // A folder per mutant, so that no library can confuse it with the
        // previous one; the file keeps the name recognition depends on.
        const fs::path folder = dir / std::to_string(m);
        fs::create_directories(folder);
        const fs::path path = folder / seed.fileName;
        write_bytes(path, mutant);
        const std::string label = seed.kind + " mutant seed " + std::to_string(mutantSeed) + ":" + what;
        std::cout << label << std::endl;
        std::string message;
        switch (run_mutant(path, seed.kind, claim, message)) {
        case outcome::clean: break;
        case outcome::missing_sgli_dataset: ++missingSgliDatasets; break;
        case outcome::library_crash:
            ++libraryCrashes;
            std::cout << "library crash, " << label << "\n" << message << std::endl;
            break;
        case outcome::broken_rule:
        case outcome::own_fault: ADD_FAILURE() << label << "\n" << message; break;
        }
        fs::remove_all(folder);
    }
    std::cout << "mutants " << mutants << ", missing SGLI datasets reported " << missingSgliDatasets
              << ", crashes inside a system library " << libraryCrashes << std::endl;
}

std::string seed_name(const ::testing::TestParamInfo<std::size_t>& p)
{
    const auto seeds = fuzz::seed_products();
    std::string name = seeds.at(p.param).fileName;
    for (auto& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ReaderFuzz, ::testing::Range<std::size_t>(0, fuzz::seed_products().size()),
                         seed_name);

} // namespace

} // namespace vardane
