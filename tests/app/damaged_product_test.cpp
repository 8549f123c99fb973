// Files that carry a product's signature or name but cannot be read are
// failed products, counted apart from files that are no product at all.
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "driver_test_support.h"

namespace fs = std::filesystem;
using namespace driver_test;

namespace {

// Keeps the first part of a file: a transfer cut short.
void cut_to_percent(const std::string& path, int percent)
{
    fs::resize_file(path, fs::file_size(path) * static_cast<std::uintmax_t>(percent) / 100);
}

const run_event* failure_of(const recording_sink& sink, const std::string& path)
{
    for (const auto& e : sink.reported) {
        if (e.type == run_event_type::failure && e.path == path) return &e;
    }
    return nullptr;
}

} // namespace

TEST(DamagedProduct, FilesCutAtNinetyNinePercentAreFailuresWithACauseNotStrangers)
{
    driver_rig rig;
    struct cut_case {
        const char* kind;
        const char* name;
    };
    const cut_case cases[] = {{"AMSR2_L1B", "l1b.h5"}, {"GSMAP_BIN", "gsmap_cut.dat"},
                              {"JASMES_HDR", "jasmes.dat"}, {"JASMES_HDF4", "flags.hdf"}};
    std::vector<std::string> files;
    for (const auto& c : cases) {
        files.push_back(write_synthetic(rig.temp.path(), c.kind, c.name));
        cut_to_percent(files.back(), 99);
    }
    const auto notes = write_text(rig.temp / "notes.txt", "not a product\n");
    files.push_back(notes);
    ASSERT_TRUE(rig.run(files, kinds(true, false, false, false)));

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].kind);
        const run_event* failure = failure_of(rig.sink, files[i]);
        ASSERT_NE(failure, nullptr);
        // Recognition failures name their cause; a file that was recognised
        // and then failed to read says so in its own log line.
        const std::string line = "Filename(" + std::string(cases[i].name) + ") is Not Product Data.";
        if (rig.sink.logged(line)) {
            EXPECT_EQ(failure->kind, "Product");
            EXPECT_FALSE(failure->detail.empty());
        } else {
            EXPECT_TRUE(rig.sink.logged("Fail in reading product.  Skipped."));
        }
    }
    EXPECT_NE(failure_of(rig.sink, files[0])->detail.find("HDF5"), std::string::npos);
    // Only the text file is no product.
    ASSERT_EQ(rig.sink.count(run_event_type::not_product), 1);
    EXPECT_EQ(failure_of(rig.sink, notes), nullptr);
    EXPECT_TRUE(files_in(rig.out).empty());
}

// Root reads every file, so the reader runs as an unprivileged user in a
// child process.
TEST(DamagedProduct, FileWithoutReadPermissionIsDamagedNotNoProduct)
{
    temp_folder temp;
    const auto product = write_synthetic(temp.path(), "AMSR2_L1B", "locked.h5");
    ASSERT_EQ(::chmod(temp.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(product.c_str(), 0), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::getuid() == 0 && ::setuid(65534) != 0) ::_exit(2);
        spinfo info;
        info.init(product, fs::file_size(product));
        ::_exit(info.getType() == PT_UNKNOWN && info.damage.find("Permission denied") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

