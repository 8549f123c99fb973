// Files that carry a product's signature or name but cannot be read are
// failed products with a cause, counted apart from files that are no product.
#include <algorithm>
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
// datasets of its kind is a damaged product, not a stranger: it fails with
// that dataset named, and the batch goes on.
TEST(DamagedProduct, MissingDatasetIsNamedAndTheNextFileConverts)
{
    driver_rig rig;
    struct cut {
        const char* kind;
        const char* name;
        const char* dataset;
    };
    const cut cuts[] = {{"SGLI_VNR", "vnr.h5", "/Image_data/Lt_VN05"},
                        {"SGLI_LST", "lst.h5", "/Image_data/QA_flag"},
                        {"AMSR2_L1B", "l1b.h5", "Brightness Temperature (23.8GHz,H)"},
                        {"AMSR2_L3_GD", "l3gd.h5", "Geophysical Data"},
                        {"GSMAP_HOURLY", "gsmap.h5", "/Grid/hourlyPrecipRate"}};
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
    // Each cause names the dataset that is missing.
    for (const auto& e : rig.sink.reported) {
        if (e.type != run_event_type::failure) continue;
        const auto i = std::size_t(std::find(files.begin(), files.end(), e.path) - files.begin());
        ASSERT_LT(i, std::size(cuts));
        const std::string name = fs::path(cuts[i].dataset).filename().string();
        EXPECT_NE(e.why.cause.find(name), std::string::npos) << e.why.cause;
    }
    EXPECT_EQ(rig.sink.count(run_event_type::not_product), 0);
    const auto outputs = files_in(rig.out);
    EXPECT_FALSE(outputs.empty());
    for (const auto& name : outputs) EXPECT_TRUE(name.starts_with("good")) << name;
}

} // namespace vardane
