// vardane-cli end to end: the log it prints, its summary and exit status,
// its options, parallel jobs, and two runs sharing one output folder.
#include <gdal_priv.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <csignal>

#include "driver/working_folder.h"
#include "settings/spconverter.h"
#include "support/cli_process.h"
#include "support/scratch_folder.h"
#include "support/wait_until.h"
#include "synth_registry.h"

namespace vardane {

namespace fs = std::filesystem;
using namespace cli_test;
using temp_folder = test_support::scratch_folder;

namespace {

const std::string kStart = "-- Converting Start -------";
const std::string kCompleted = "Completed.";

fs::path make_folder(const fs::path& path)
{
    fs::create_directories(path);
    return path;
}

std::string write_text(const fs::path& path, const std::string& text)
{
    std::ofstream(path) << text;
    return path.string();
}

std::string write_gsmap_bin(const fs::path& path)
{
    std::vector<float> grid(std::size_t{1440} * 480);
    for (std::size_t i = 0; i < grid.size(); ++i) grid[i] = static_cast<float>(i % 97) * 0.1f;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(grid.data()), static_cast<std::streamsize>(grid.size() * sizeof(float)));
    return path.string();
}

// A shell command run with its standard output and error in one file of
// `folder`, for what the program's own runner cannot set up (the current
// folder, the loader's environment).
struct shell_result {
    int status = -1;
    std::string output;
};

shell_result run_in_shell(const std::string& command, const temp_folder& folder)
{
    const fs::path outputFile = folder / "shell-output.txt";
    shell_result result;
    result.status = std::system((command + " > '" + outputFile.string() + "' 2>&1").c_str());
    std::ifstream text(outputFile);
    result.output.assign(std::istreambuf_iterator<char>(text), std::istreambuf_iterator<char>());
    return result;
}

std::vector<std::string> hidden_entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        const auto name = e.path().filename().string();
        if (!name.empty() && name[0] == '.') names.push_back(name);
    }
    return names;
}

std::string settings_without_gsmap(const fs::path& path)
{
    spconverter settings;
    optSet_t entry;
    settings.get_OptSetting(ST_GSMAP_HOURLY, "PercipRate", entry);
    entry.flag = false;
    settings.set_OptSetting(ST_GSMAP_HOURLY, "PercipRate", entry);
    std::ofstream file(path);
    settings.write_settings(file);
    return path.string();
}

bool has(const process_result& r, const std::string& line)
{
    return std::find(r.lines.begin(), r.lines.end(), line) != r.lines.end();
}

// The working folder of the run's worker, once it exists.
fs::path work_of(const fs::path& out)
{
    for (const auto& name : hidden_entries(out)) {
        if (name.rfind(".vardane-work-", 0) == 0) return out / name;
    }
    return {};
}

// Starts a run over a folder whose 3000 notes fill the output pipe, so the
// run stays in the middle until its output is read; returns once the run's
// working folder exists.
running_cli start_busy_run(const fs::path& in, const fs::path& out, const std::string& notePrefix)
{
    for (int i = 0; i < 3000; ++i) write_text(in / (notePrefix + std::to_string(10000 + i) + ".txt"), "x");
    auto run = start_cli({"-o", out.string(), in.string()});
    EXPECT_TRUE(test_support::wait_until([&] { return !work_of(out).empty(); }))
        << "the run made no working folder in " << out;
    return run;
}

} // namespace

// The output folder typed with a trailing blank; working folders left by
// killed runs are swept, a live process's is not.
TEST(CliRun, ConvertedGridIsWrittenAndTheRunSucceeds)
{
    temp_folder t;
    const auto out = make_folder(t / "out");
    const auto gsmap = write_gsmap_bin(t / "gsmap_a.dat");
    const auto notes = write_text(t / "notes.txt", "x");
    write_text(make_folder(process_work_folder(out, ".vardane-work-", 2147483000)) / "left.tif", "x");
    const auto live = make_folder(process_work_folder(out, ".vardane-work-", 1)).filename().string();
    const auto r = run_cli({"-o", out.string() + " ", gsmap, notes}, t.path());
    EXPECT_EQ(r.lines, (std::vector<std::string>{
                           kStart, "'gsmap_a.dat' is processing, now...  ", "It is GSMaP/Hourly-L3 Product.",
                           "Reading product data .....", "Generate image files .....",
                           "GeoTIFF file(gsmap_a_PRC.tif) is created.", "Filename(notes.txt) is Not Product Data.",
                           kCompleted, "Summary: files 2, outputs written 1, failures 0, not products 1."}))
        << r.out;
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(fs::exists(t / "out ")) << "a stray folder named with the blank";
    EXPECT_EQ(hidden_entries(out), (std::vector<std::string>{live}));

    GDALAllRegister();
    GDALDataset* ds = static_cast<GDALDataset*>(GDALOpen((out / "gsmap_a_PRC.tif").c_str(), GA_ReadOnly));
    ASSERT_NE(ds, nullptr);
    EXPECT_EQ(ds->GetRasterXSize(), 1440);
    EXPECT_EQ(ds->GetRasterYSize(), 480);
    // The stored column 0 of each row appears half a circle east.
    float value = -1.0f;
    ASSERT_EQ(ds->GetRasterBand(1)->RasterIO(GF_Read, 720, 0, 1, 1, &value, 1, 1, GDT_Float32, 0, 0), CE_None);
    EXPECT_FLOAT_EQ(value, 0.0f);
    ASSERT_EQ(ds->GetRasterBand(1)->RasterIO(GF_Read, 721, 0, 1, 1, &value, 1, 1, GDT_Float32, 0, 0), CE_None);
    EXPECT_NEAR(value, 0.1f, 1e-6);
    GDALClose(ds);
}

// Bad usage exits with 2; a run in which no input is a product exits with 1.
TEST(CliRun, BadUsageExitsWithTwoAndNoProductWithOne)
{
    temp_folder t;
    const auto notes = write_text(t / "notes.txt", "x");
    const auto noProduct = run_cli({"-o", t.path().string(), notes}, t.path());
    EXPECT_EQ(noProduct.status, 1);
    EXPECT_EQ(noProduct.lines.back(), "Summary: files 1, outputs written 0, failures 0, not products 1.");
    // A usage error is one line and where to read more, on standard error.
    const std::string hint = "Try 'vardane-cli --help' for more information.\n";
    const auto missing = run_cli({"-o", (t / "nowhere").string(), notes}, t.path());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "Output folder is NOT exits.\n");
    EXPECT_EQ(missing.err, "vardane-cli: Output folder is NOT exits.\n" + hint);
    EXPECT_EQ(run_cli({notes}, t.path()).status, 2);
    const auto noJobs = run_cli({"-o", t.path().string(), "--jobs", "0", notes}, t.path());
    EXPECT_EQ(noJobs.status, 2);
    EXPECT_EQ(noJobs.err, "vardane-cli: --jobs needs a whole number of at least 1\n" + hint);
    EXPECT_TRUE(noJobs.out.empty());
    // An empty list is a mistake, split or not.
    const auto empty = write_text(t / "empty.list", "# nothing yet\n");
    const auto unsplit = run_cli({"-o", t.path().string(), "--files-from", empty}, t.path());
    const auto split = run_cli({"-o", t.path().string(), "--files-from", empty, "--shard", "1/3"}, t.path());
    EXPECT_EQ(unsplit.status, 2);
    EXPECT_EQ(split.status, 2);
    EXPECT_EQ(split.err, unsplit.err);
    // Short options bundle as in other programs.
    const auto bundled = run_cli({"-qj2", "-o", t.path().string(), notes}, t.path());
    EXPECT_EQ(bundled.status, 1) << bundled.err;
    EXPECT_EQ(bundled.lines, std::vector<std::string>{noProduct.lines.back()});
    EXPECT_EQ(run_cli({"-o", t.path().string(), "--settings", (t / "none.dat").string(), notes}, t.path()).status, 2);
    // A settings file that exists but cannot be read is no run with the
    // built-in settings.
    const auto unreadable = run_cli({"-o", t.path().string(), "--settings", "/proc/self/mem", notes}, t.path());
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.err.find("cannot read settings file /proc/self/mem"), std::string::npos) << unreadable.err;
    const auto help = run_cli({"--help"}, t.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: vardane-cli", 0), 0u);
}

// A library planted in the folder the program is run from is never loaded:
// a folder of downloaded products is no place to look for one.
TEST(CliRun, LibrariesInTheCurrentFolderAreNotLoaded)
{
    temp_folder t;
    for (const char* name : {"libc.so.6", "libstdc++.so.6", "libgdal.so.32"}) write_text(t / name, "not a library");
    const shell_result run = run_in_shell("cd '" + t.path().string() + "' && '" + cli_path() + "' --version", t);
    const std::string& first = run.output;
    EXPECT_EQ(run.status, 0) << first;
    EXPECT_EQ(first.rfind("vardane-cli ", 0), 0u) << first;
}

// cairo, with X11 behind it, is loaded only when a legend is drawn: every
// start of the program would otherwise pay for loading it.
TEST(CliRun, StartsWithoutTheDrawingLibrary)
{
    temp_folder t;
    const shell_result run = run_in_shell("LD_TRACE_LOADED_OBJECTS=1 '" + cli_path() + "'", t);
    ASSERT_EQ(run.status, 0);
    const std::string& loaded = run.output;
    EXPECT_NE(loaded.find("libgdal"), std::string::npos) << loaded;
    EXPECT_EQ(loaded.find("libcairo"), std::string::npos) << loaded;
    EXPECT_EQ(loaded.find("libX11"), std::string::npos) << loaded;
}

// The libraries' own messages and the reader's attribute names reach the
// terminal only when asked for; --version names the libraries.
TEST(CliRun, LibraryMessagesOnlyWhenVerbose)
{
    temp_folder t;
    const auto out = make_folder(t / "out");
    const std::string product = (t / "amsr2_l3.h5").string();
    for (const synth_kind& k : all_synth_kinds()) {
        if (k.name == "AMSR2_L3_BT") {
            ASSERT_TRUE(k.write(product, synth_options{}));
        }
    }
    const auto quiet = run_cli({"-o", out.string(), product}, t.path());
    EXPECT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err.find("property="), std::string::npos) << quiet.err;
    EXPECT_EQ((quiet.out + quiet.err).find("property="), std::string::npos);
    const auto verbose = run_cli({"-v", "-o", out.string(), product}, t.path());
    EXPECT_EQ(verbose.status, 0);
    EXPECT_NE(verbose.err.find("property='"), std::string::npos) << verbose.err;
    EXPECT_EQ(verbose.out.find("property="), std::string::npos);

    const auto version = run_cli({"--version"}, t.path());
    for (const char* library : {"vardane-cli ", "GDAL ", "HDF5 ", "netCDF ", "libtiff "})
        EXPECT_NE(version.out.find(library), std::string::npos) << version.out;
}

TEST(CliRun, SettingsFileIsReadListedInItsOwnFormatAndUsedByAQuietRun)
{
    temp_folder t;
    const auto file = settings_without_gsmap(t / "vdn-config.dat");
    const auto listed = run_cli({"--settings", file, "--list-options"}, t.path());
    EXPECT_EQ(listed.status, 0);
    spconverter expected;
    expected.set_config_path(file);
    ASSERT_TRUE(expected.loadSetting());
    std::ostringstream text;
    expected.write_settings(text);
    EXPECT_EQ(listed.out, text.str());

    // The same file deselects the only GSMaP variable for a run; quiet
    // prints only failures and the summary.
    const auto out = make_folder(t / "out");
    const auto r = run_cli({"-q", "-o", out.string(), "--settings", file, write_gsmap_bin(t / "gsmap_a.dat"),
                            write_text(t / "notes.txt", "x")},
                           t.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.lines, (std::vector<std::string>{"gsmap_a.dat: Converting variables  are Not Selected.",
                                                 "Summary: files 2, outputs written 0, failures 1, not products 1."}));
    EXPECT_NE(r.err.find("gsmap_a.dat: none of this product's variables is ticked in the settings"), std::string::npos)
        << r.err;
    // Standard error is no terminal here: no progress line.
    EXPECT_EQ(r.err.find("[1/2]"), std::string::npos);
}

TEST(CliRun, FolderInputsInNameOrderAndJobsKeepTheLogInThatOrder)
{
    temp_folder t;
    const auto in = make_folder(t / "in");
    make_folder(in / "sub");
    write_text(in / "sub" / "inner.txt", "x");
    write_text(in / "b_notes.txt", "x");
    write_text(in / "a_notes.txt", "x");
    for (const char* name : {"gsmap_c.dat", "gsmap_d.dat", "gsmap_e.dat"}) write_gsmap_bin(in / name);

    const auto outOne = make_folder(t / "one");
    const auto outMany = make_folder(t / "many");
    const auto one = run_cli({"-o", outOne.string(), in.string()}, t.path());
    const auto many = run_cli({"-o", outMany.string(), "--jobs", "3", in.string()}, t.path());
    EXPECT_EQ(one.status, 0) << one.out;
    EXPECT_EQ(many.status, 0) << many.out;
    EXPECT_EQ(many.lines, one.lines);
    ASSERT_GE(one.lines.size(), 3u);
    EXPECT_EQ(one.lines[1], "Filename(a_notes.txt) is Not Product Data.");
    EXPECT_EQ(one.lines[2], "Filename(b_notes.txt) is Not Product Data.");
    EXPECT_EQ(one.lines.back(), "Summary: files 5, outputs written 3, failures 0, not products 2.");
    for (const auto& out : {outOne, outMany}) {
        EXPECT_TRUE(fs::exists(out / "gsmap_e_PRC.tif"));
        EXPECT_TRUE(hidden_entries(out).empty());
    }
}

// Two inputs with one base name: whatever the number of jobs, the first one's
// output is kept and the second's is a failure, never an overwrite.
TEST(CliRun, SameBaseNameInTwoFoldersFailsTheSecondAtAnyNumberOfJobs)
{
    temp_folder t;
    const auto a = write_gsmap_bin(make_folder(t / "a") / "gsmap_x.dat");
    const auto b = write_gsmap_bin(make_folder(t / "b") / "gsmap_x.dat");
    const auto c = write_gsmap_bin(t / "gsmap_c.dat");
    std::vector<std::string> previous;
    for (const char* jobs : {"1", "2"}) {
        const auto out = make_folder(t / (std::string("out") + jobs));
        const auto r = run_cli({"-o", out.string(), "-j", jobs, a, c, b}, t.path());
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_EQ(std::count(r.lines.begin(), r.lines.end(), "GeoTIFF file(gsmap_x_PRC.tif) is created."), 1) << jobs;
        EXPECT_TRUE(has(r, "Fail in creating GeoTIFF file(gsmap_x_PRC.tif): the same name was already created from " + a
                               + " (PercipRate) in this run; not replaced by the one from " + b + " (PercipRate)."))
            << r.out;
        EXPECT_EQ(r.lines.back(), "Summary: files 3, outputs written 2, failures 1, not products 0.");
        EXPECT_TRUE(hidden_entries(out).empty());
    }
}

TEST(CliRun, SecondRunOnTheSameOutputFolderLeavesTheFirstRunsWorkingFolderAlone)
{
    temp_folder t;
    const auto in = make_folder(t / "in");
    const auto out = make_folder(t / "out");
    write_gsmap_bin(in / "gsmap_a.dat");
    auto first = start_busy_run(in, out, "note_");
    const fs::path firstWork = work_of(out);
    ASSERT_TRUE(fs::exists(firstWork));
    // In a folder of its own: the first run empties its working folder
    // between its files, but leaves folders inside it alone.
    const fs::path probe = make_folder(firstWork / "being_written") / "half.tif";
    write_text(probe, "the first run's half-made output");

    const auto second = run_cli({"-o", out.string(), write_gsmap_bin(t / "gsmap_b.dat")}, t.path());
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_TRUE(fs::exists(out / "gsmap_b_PRC.tif"));
    EXPECT_TRUE(fs::exists(probe)) << "the second run emptied the first run's working folder";

    const auto firstResult = finish_cli(first);
    EXPECT_EQ(firstResult.status, 0) << firstResult.out.substr(
        firstResult.out.size() > 600 ? firstResult.out.size() - 600 : 0);
    ASSERT_GE(firstResult.lines.size(), 2u);
    EXPECT_EQ(firstResult.lines[firstResult.lines.size() - 2], kCompleted);
    EXPECT_TRUE(fs::exists(out / "gsmap_a_PRC.tif"));
    EXPECT_FALSE(fs::exists(firstWork)) << "the first run did not clean up after itself";
    EXPECT_TRUE(hidden_entries(out).empty());
}

TEST(CliRun, TerminationSignalCancelsTheRunAtItsNextCheck)
{
    temp_folder t;
    const auto in = make_folder(t / "in");
    const auto out = make_folder(t / "out");
    // The products after the notes are where the cancel is noticed.
    write_gsmap_bin(in / "gsmap_y.dat");
    write_gsmap_bin(in / "gsmap_z.dat");
    auto run = start_busy_run(in, out, "a_note_");
    const fs::path work = work_of(out);
    ASSERT_TRUE(fs::exists(work));
    ::kill(run.pid, SIGTERM);
    const auto r = finish_cli(run);

    EXPECT_EQ(r.status, 128 + SIGTERM);
    EXPECT_EQ(std::count(r.lines.begin(), r.lines.end(), "Cancel is activated."), 1);
    EXPECT_FALSE(has(r, "'gsmap_z.dat' is processing, now...  "));
    ASSERT_GE(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[r.lines.size() - 2], kCompleted);
    EXPECT_NE(r.lines.back().find(", cancelled."), std::string::npos) << r.lines.back();
    EXPECT_FALSE(fs::exists(work));
}

} // namespace vardane
