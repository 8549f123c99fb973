// How a failure travels from where a library refused to the run's events:
// each costs the output or the file it arose in, names that file and the
// library's or system's words, and the run goes on.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "driver_test_support.h"
#include "kmz/kmz_read_back.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace driver_test;

namespace {

const std::string kCannotOpen = "cannot open file: ";

// The user's data folder of the test, where colour tables are looked up
// first; the test executables have no program data folder beside them, so
// every built-in table is missing unless a test puts it here.
class user_data_folder {
public:
    explicit user_data_folder(const fs::path& root) : clt_(root / "vardane" / "clt")
    {
        if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
        fs::create_directories(clt_);
        ::setenv("XDG_DATA_HOME", root.c_str(), 1);
    }
    ~user_data_folder()
    {
        if (old_) {
            ::setenv("XDG_DATA_HOME", old_->c_str(), 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
    }
    user_data_folder(const user_data_folder&) = delete;
    user_data_folder& operator=(const user_data_folder&) = delete;

    // A table with one colour for every value.
    void add_table(const std::string& name) const
    {
        write_text(clt_ / name, "VAL = -100000\tCOLOR = 200,100,50\nVAL = 100000\tCOLOR = 200,100,50\n");
    }

private:
    fs::path clt_;
    std::optional<std::string> old_;
};

std::vector<run_event> failures_of(const recording_sink& sink)
{
    std::vector<run_event> failed;
    for (const auto& e : sink.reported) {
        if (e.type == run_event_type::failure) failed.push_back(e);
    }
    return failed;
}

} // namespace

// The colour table of a variable is missing: its KMZ fails with the
// table's path as cause; its GeoTIFF, and the next file, are still made.
TEST(FailureFlow, MissingColourTableFailsOnlyThatKmz)
{
    driver_rig rig;
    const user_data_folder data(rig.temp / "xdg");
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    ASSERT_TRUE(rig.run({a, b}, kinds(true, true, false, false)));

    for (const std::string base : {"gsmap_a_PRC", "gsmap_b_PRC"}) {
        EXPECT_TRUE(rig.sink.logged("Fail in creating KMZ file(" + base + ".kmz).")) << base;
        EXPECT_TRUE(rig.sink.logged("GeoTIFF file(" + base + ".tif) is created.")) << base;
    }
    EXPECT_EQ(rig.sink.lines.back(), kCompleted);
    EXPECT_TRUE(rig.driver.completed());
    EXPECT_EQ(files_in(rig.out), (std::vector<std::string>{"gsmap_a_PRC.tif", "gsmap_b_PRC.tif"}));
    const auto failed = failures_of(rig.sink);
    ASSERT_EQ(failed.size(), 2u);
    for (const auto& e : failed) {
        EXPECT_EQ(e.kind, "KMZ");
        EXPECT_EQ(fs::path(e.why.file).filename(), fs::path(e.path).stem().string() + "_PRC.kmz");
        ASSERT_TRUE(e.why.cause.starts_with(kCannotOpen)) << e.why.cause;
        EXPECT_TRUE(e.why.cause.ends_with(".clt")) << e.why.cause;
        EXPECT_FALSE(fs::exists(e.why.cause.substr(kCannotOpen.size())));
    }
}

// A folder squats the name of the first file's output: that output fails
// with the system's words, the second file's output is made.
TEST(FailureFlow, RefusedMoveFailsThatOutputAndTheRunGoesOn)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    fs::create_directories(rig.out / "gsmap_a_PRC.tif" / "squatter");
    ASSERT_TRUE(rig.run({a, b}, kinds(true, false, false, false)));

    EXPECT_TRUE(rig.sink.logged("Fail in creating GeoTIFF file(gsmap_a_PRC.tif)."));
    EXPECT_TRUE(rig.sink.logged("GeoTIFF file(gsmap_b_PRC.tif) is created."));
    EXPECT_EQ(rig.sink.lines.back(), kCompleted);
    EXPECT_EQ(rig.sink.listed, std::vector<std::string>{(rig.out / "gsmap_b_PRC.tif").string()});
    EXPECT_TRUE(files_in(rig.work).empty());
    const auto failed = failures_of(rig.sink);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].path, a);
    EXPECT_EQ(failed[0].kind, "GeoTIFF");
    EXPECT_EQ(failed[0].why.file, (rig.out / "gsmap_a_PRC.tif").string());
    // rename(2) onto a non-empty folder: EISDIR or ENOTEMPTY by file system.
    EXPECT_TRUE(failed[0].why.cause == std::strerror(EISDIR) || failed[0].why.cause == std::strerror(ENOTEMPTY))
        << failed[0].why.cause;
}

// The working folder vanishes before the first file's GeoTIFF is written:
// GDAL refuses to create it, and its words are the event's cause.
TEST(FailureFlow, WritersCauseReachesTheEvent)
{
    driver_rig rig;
    const auto a = write_gsmap_bin(rig.temp.path(), "gsmap_a.dat");
    const auto b = write_gsmap_bin(rig.temp.path(), "gsmap_b.dat");
    rig.sink.hook = [&](const std::string& line) {
        if (line == "'gsmap_a.dat' is processing, now...  ") fs::remove_all(rig.work);
        if (line == "'gsmap_b.dat' is processing, now...  ") fs::create_directories(rig.work);
    };
    ASSERT_TRUE(rig.run({a, b}, kinds(true, false, false, false)));

    EXPECT_TRUE(rig.sink.logged("Fail in creating GeoTIFF file(gsmap_a_PRC.tif)."));
    EXPECT_TRUE(rig.sink.logged("GeoTIFF file(gsmap_b_PRC.tif) is created."));
    const auto failed = failures_of(rig.sink);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].why.file, (rig.work / "gsmap_a_PRC.tif").string());
    // GDAL names the file it could not create.
    EXPECT_NE(failed[0].why.cause.find("gsmap_a_PRC.tif"), std::string::npos) << failed[0].why.cause;
}

// A radiometer swath's KMZ draws the regridded global grid whether or not
// the GeoTIFF windows were asked for too: the KMZ stage regrids itself when
// no GeoTIFF stage did.
TEST(FailureFlow, KmzOfARadiometerSwathAloneEqualsTheOneBesideItsGeoTiff)
{
    driver_rig rig;
    const user_data_folder data(rig.temp / "xdg");
    const auto l2 = write_synthetic(rig.temp.path(), "AMSR2_L2_LOW", "l2.h5");
    // Without its table the KMZ fails and names the table it looked for.
    ASSERT_TRUE(rig.run({l2}, kinds(false, true, false, false)));
    const auto failed = failures_of(rig.sink);
    ASSERT_FALSE(failed.empty());
    ASSERT_TRUE(failed[0].why.cause.starts_with(kCannotOpen)) << failed[0].why.cause;
    data.add_table(fs::path(failed[0].why.cause.substr(kCannotOpen.size())).filename().string());

    std::map<std::string, std::string> made[2];
    for (const bool geotiff : {false, true}) {
        rig.sink.reported.clear();
        fs::remove_all(rig.out);
        fs::create_directories(rig.out);
        ASSERT_TRUE(rig.run({l2}, kinds(geotiff, true, false, false)));
        EXPECT_TRUE(failures_of(rig.sink).empty());
        for (const auto& name : files_in(rig.out)) {
            if (!name.ends_with(".kmz")) continue;
            const auto entries = kmz_test::unzip(rig.out / name);
            ASSERT_TRUE(entries.has_value()) << name;
            const std::string base = fs::path(name).stem().string();
            made[geotiff][name] = entries->at(base + ".tiff");
            const auto kml = kmz_test::crlf_lines(entries->at(base + ".kml"));
            // The regridded grid spans the globe.
            for (const std::string box : {"<north>90.000000</north>", "<south>-90.000000</south>",
                                          "<east>180.000000</east>", "<west>-180.000000</west>"}) {
                EXPECT_NE(std::find_if(kml.begin(), kml.end(),
                                       [&](const std::string& l) { return l.find(box) != std::string::npos; }),
                          kml.end())
                    << name << " " << box;
            }
            const auto img = kmz_test::read_image(rig.out / name, base + ".tiff");
            ASSERT_TRUE(img.has_value());
            EXPECT_EQ(img->width, 3600);
            EXPECT_EQ(img->height, 1800);
        }
    }
    ASSERT_FALSE(made[0].empty());
    EXPECT_EQ(made[0], made[1]);
}

} // namespace vardane
