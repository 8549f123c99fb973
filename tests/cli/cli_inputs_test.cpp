// The inputs of a batch: a missing one is skipped and counted, the others
// converted; a damaged product is a failure with its cause; a settings file
// that holds no settings is refused; an input named twice is converted once.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "batch_checks.h"
#include "integration/cli_run_support.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;

TEST(CliInputs, MissingInputsAreSkippedAndSettingsWithoutASectionRefused)
{
    integration::cli_scene scene;
    const auto good = scene.product("GSMAP_HOURLY", "good.h5");
    const auto gone = (scene.in() / "gone.h5").string();
    const auto r = scene.run({gone, good});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r.err, "no such file or folder: " + gone + "\n")) << r.err;
    EXPECT_EQ(summary_of(r), "Summary: files 2, outputs written 1, failures 1, not products 0.");
    expect_clean_output(r, scene.out());

    // Bytes that only by chance hold a line feed or a '#'.
    const fs::path junk = scene.in() / "junk.dat";
    std::ofstream file(junk, std::ios::binary);
    for (unsigned x = 12345, i = 0; i < 4096; ++i) file.put(static_cast<char>((x = x * 1103515245u + 12345u) >> 23));
    file.close();
    const auto refused = scene.run({"--settings", junk.string(), good});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(says(refused.err, "no settings section in " + junk.string())) << refused.err;
    EXPECT_TRUE(refused.lines.empty()) << refused.out;
}

// A product cut short is a failure, not a stranger: its line and its cause
// (on standard error) are shown even in a quiet run.
TEST(CliInputs, DamagedProductFailsWithItsCauseInAQuietRun)
{
    integration::cli_scene scene;
    const auto cut = scene.product("AMSR2_L3_BT", "cut.h5");
    fs::resize_file(cut, fs::file_size(cut) / 2);
    const auto good = scene.product("GSMAP_HOURLY", "good.h5");
    const auto r = scene.run({"-q", cut, good});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"cut.h5: Filename(cut.h5) is Not Product Data.",
                                                 "Summary: files 2, outputs written 1, failures 1, not products 0."}));
    EXPECT_TRUE(says(r.err, fs::canonical(cut).string() + ": ")) << r.err;
    // The good file's output and nothing else, no working folder either.
    EXPECT_EQ(integration::file_names(scene.out()), std::vector<std::string>{"good_PRC.tif"});
    EXPECT_EQ(std::distance(fs::directory_iterator(scene.out()), fs::directory_iterator()), 1);
}

// The same file in other words, on the command line and in the list, is
// converted once and the repeat noted, whether or not the run is split.
TEST(CliInputs, AnInputNamedTwiceIsConvertedOnce)
{
    integration::cli_scene scene;
    const auto a = scene.product("GSMAP_HOURLY", "a.h5");
    const auto b = scene.product("GSMAP_HOURLY", "b.h5");
    const std::string again = (scene.in() / "." / "a.h5").string();
    const fs::path list = scene.in() / "list";
    std::ofstream(list) << a << "\n" << again << "\n" << b << "\n";
    const std::string note = "vardane-cli: " + again + " is " + a + " again: converted once\n";

    const auto whole = scene.run({"--files-from", list.string(), a});
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(summary_of(whole), "Summary: files 2, outputs written 2, failures 0, not products 0.");
    EXPECT_TRUE(says(whole.err, "vardane-cli: " + a + " is " + a + " again: converted once\n")) << whole.err;
    EXPECT_TRUE(says(whole.err, note)) << whole.err;

    fs::remove_all(scene.out());
    fs::create_directory(scene.out());
    std::string notes;
    for (const char* shard : {"0/2", "1/2"}) {
        const auto part = scene.run({"--files-from", list.string(), "--shard", shard});
        EXPECT_EQ(part.status, 0) << part.err;
        notes += part.err;
    }
    EXPECT_EQ(notes, note);
    EXPECT_EQ(integration::file_names(scene.out()), (std::vector<std::string>{"a_PRC.tif", "b_PRC.tif"}));
}

} // namespace vardane
