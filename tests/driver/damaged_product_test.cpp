// Files that carry a product's signature or name but cannot be read are
// failed products with a cause, counted apart from files that are no product.
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <H5Cpp.h>

#include "driver_test_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

TEST(DamagedProduct, FilesCutAtNinetyNinePercentAreFailuresNotStrangers)
{
    driver_rig rig;
    std::vector<std::string> files;
    for (const auto& [kind, name] : {std::pair{"AMSR2_L1B", "l1b.h5"},
                                     {"GSMAP_BIN", "gsmap_cut.dat"},
                                     {"JASMES_HDR", "jasmes.dat"},
                                     {"JASMES_HDF4", "flags.hdf"}}) {
        files.push_back(write_synthetic(rig.temp.path(), kind, name));
        fs::resize_file(files.back(), fs::file_size(files.back()) * 99 / 100);
    }
    const auto notes = write_text(rig.temp / "notes.txt", "not a product\n");
    files.push_back(notes);
    ASSERT_TRUE(rig.run(files, kinds(true, false, false, false)));

    // One failure with its cause per cut file; only the text is no product.
    std::vector<std::string> failed;
    for (const auto& e : rig.sink.reported) {
        if (e.type != run_event_type::failure) continue;
        failed.push_back(e.path);
        EXPECT_FALSE(e.why.cause.empty()) << e.path;
        EXPECT_EQ(e.why.file, e.path);
    }
    EXPECT_EQ(failed, std::vector<std::string>(files.begin(), files.end() - 1));
    EXPECT_TRUE(rig.sink.logged("Filename(l1b.h5) is Not Product Data."));
    ASSERT_EQ(rig.sink.count(run_event_type::not_product), 1);
    EXPECT_EQ(rig.sink.reported.back().path, notes);
    EXPECT_TRUE(files_in(rig.out).empty());
}

// Root reads every file: the reader runs as another user in a child.
TEST(DamagedProduct, FileWithoutReadPermissionIsDamagedNotNoProduct)
{
    temp_folder temp;
    const auto product = write_synthetic(temp.path(), "AMSR2_L1B", "locked.h5");
    ASSERT_EQ(::chmod(temp.path().c_str(), 0755) | ::chmod(product.c_str(), 0), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && ::setuid(65534) != 0) ::_exit(2);
        spinfo info;
        info.init(product, fs::file_size(product));
        const bool refused = info.last_failure().cause.find("Permission denied") != std::string::npos;
        ::_exit(info.getType() == PT_UNKNOWN && refused ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// A product whose own attributes say what it is but which lacks one of the
// datasets of its kind fails with that dataset named, and the batch goes on.
TEST(DamagedProduct, MissingDatasetIsNamedAndTheNextFileConverts)
{
    driver_rig rig;
    struct cut {
        const char* kind;
        const char* name;
        const char* dataset;
    };
    const cut cuts[] = {{"SGLI_VNR", "vnr.h5", "/Image_data/Lt_VN05"}, {"SGLI_LST", "lst.h5", "/Image_data/QA_flag"}};
    std::vector<std::string> files;
    for (const auto& c : cuts) {
        files.push_back(write_synthetic(rig.temp.path(), c.kind, c.name));
        H5::H5File f(files.back(), H5F_ACC_RDWR);
        f.unlink(c.dataset);
    }
    files.push_back(write_synthetic(rig.temp.path(), "AMSR2_L3_BT", "good.h5"));
    ASSERT_TRUE(rig.run(files, kinds(true, false, false, false)));

    std::vector<std::string> failed;
    for (const auto& e : rig.sink.reported) {
        if (e.type != run_event_type::failure) continue;
        failed.push_back(e.path);
        EXPECT_EQ(e.why.file, e.path);
        EXPECT_FALSE(e.why.cause.empty()) << e.path;
    }
    EXPECT_EQ(failed, std::vector<std::string>(files.begin(), files.end() - 1));
    // SGLI files are opened without a test for each dataset: the library's
    // refusal names the one that is missing.
    for (const auto& e : rig.sink.reported) {
        if (e.type == run_event_type::failure && e.path == files[0])
            EXPECT_NE(e.why.cause.find("Lt_VN05"), std::string::npos) << e.why.cause;
    }
    const auto outputs = files_in(rig.out);
    EXPECT_FALSE(outputs.empty());
    for (const auto& name : outputs) EXPECT_TRUE(name.starts_with("good")) << name;
}

} // namespace vardane
