// Command-line parsing, the counting of log lines and folder inputs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/cli_options.h"
#include "cli/input_files.h"
#include "cli/run_tally.h"

namespace fs = std::filesystem;

TEST(CliOptions, NoKindMeansGeoTiffAloneAndDefaultsAreSequentialUnpaced)
{
    const auto r = parse_command_line({"-o", "/out", "a.h5"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_TRUE(r.options.kinds.geotiff);
    EXPECT_FALSE(r.options.kinds.kmz || r.options.kinds.tiffText || r.options.kinds.netcdf);
    EXPECT_EQ(r.options.jobs, 1);
    EXPECT_EQ(r.options.paceMs, 0);
    EXPECT_EQ(r.options.inputs, (std::vector<std::string>{"a.h5"}));
}

TEST(CliOptions, KindsJobsPaceAndBothValueForms)
{
    const auto r = parse_command_line({"--kmz", "--netcdf", "--output=/o", "-j", "3", "--pace=100", "-q", "x", "y"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_FALSE(r.options.kinds.geotiff);
    EXPECT_TRUE(r.options.kinds.kmz && r.options.kinds.netcdf);
    EXPECT_EQ(r.options.output, "/o");
    EXPECT_EQ(r.options.jobs, 3);
    EXPECT_EQ(r.options.paceMs, 100);
    EXPECT_TRUE(r.options.quiet);
    EXPECT_EQ(r.options.inputs.size(), 2u);
}

TEST(CliOptions, BadUsageIsAnError)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"a.h5"},                          // no output folder
             {"-o", "/o"},                      // no input
             {"-o", "/o", "--jobs", "0", "a"},  // no job at all
             {"-o", "/o", "--jobs", "2x", "a"}, // not a number
             {"-o", "/o", "--pace", "-5", "a"}, // negative pause
             {"-o", "/o", "--frobnicate", "a"}, // unknown option
             {"-o"},                            // value missing
             {"--settings", "", "-o", "/o", "a"},
         }) {
        EXPECT_FALSE(parse_command_line(args).error.empty()) << args.size();
    }
}

TEST(CliOptions, ListingNeedsNeitherInputNorOutput)
{
    EXPECT_TRUE(parse_command_line({"--list-options"}).error.empty());
    EXPECT_TRUE(parse_command_line({"--help"}).error.empty());
    EXPECT_TRUE(parse_command_line({"--version"}).error.empty());
}

TEST(CliOptions, DashDashEndsOptionsSoFileNamesMayStartWithADash)
{
    const auto r = parse_command_line({"-o", "/o", "--", "-odd-name.h5"});
    ASSERT_TRUE(r.error.empty());
    EXPECT_EQ(r.options.inputs, (std::vector<std::string>{"-odd-name.h5"}));
}

TEST(CliOptions, ChildArgumentsReproduceTheRunForOneFile)
{
    auto parent = parse_command_line({"--tiff-text", "--kmz", "-o", "/out dir", "--pace", "7", "-j", "4",
                                      "--settings", "/s/vdn-config.dat", "-q", "a", "b"})
                      .options;
    const auto child = parse_command_line(child_arguments(parent, "-b.h5"));
    ASSERT_TRUE(child.error.empty()) << child.error;
    EXPECT_TRUE(child.options.child);
    EXPECT_EQ(child.options.output, "/out dir");
    EXPECT_EQ(child.options.paceMs, 7);
    EXPECT_EQ(child.options.jobs, 1);
    EXPECT_EQ(child.options.settingsFile, "/s/vdn-config.dat");
    EXPECT_FALSE(child.options.kinds.geotiff);
    EXPECT_TRUE(child.options.kinds.tiffText && child.options.kinds.kmz);
    EXPECT_FALSE(child.options.kinds.netcdf);
    EXPECT_EQ(child.options.inputs, (std::vector<std::string>{"-b.h5"}));
}

TEST(RunTally, LinesAreCountedByWhatTheySay)
{
    run_tally t;
    EXPECT_EQ(t.add("-- Converting Start -------"), line_class::ordinary);
    EXPECT_EQ(t.add("'a.h5' is processing, now...  "), line_class::product);
    EXPECT_EQ(t.add("GeoTIFF file(a_V.tif) is created."), line_class::output);
    EXPECT_EQ(t.add("Information file(a.txt) is created."), line_class::output);
    EXPECT_EQ(t.add("Fail in creating KMZ file(a_V.kmz)."), line_class::failure);
    EXPECT_EQ(t.add("Fail in reading product.  Skipped."), line_class::failure);
    EXPECT_EQ(t.add("Converting variables  are Not Selected."), line_class::failure);
    EXPECT_EQ(t.add("File I/O execption happened. Abort converting."), line_class::failure);
    EXPECT_EQ(t.add("NetCDF unsupported."), line_class::ordinary);
    EXPECT_EQ(t.add("Projection-setting is NOT 'lat/lon(EQR)'.  Skipped."), line_class::ordinary);
    EXPECT_EQ(t.add("Filename(notes.txt) is Not Product Data."), line_class::not_product);
    // One blank short of the real line is not the real line.
    EXPECT_EQ(t.add("'a.h5' is processing, now... "), line_class::ordinary);
    EXPECT_EQ(t.products, 1);
    EXPECT_EQ(t.outputs, 2);
    EXPECT_EQ(t.failures, 4);
    EXPECT_EQ(t.notProducts, 1);
    EXPECT_EQ(t.exit_status(), 1);
}

TEST(RunTally, ExitStatusAndSummary)
{
    run_tally ok;
    ok.files = 2;
    ok.add("'a.h5' is processing, now...  ");
    ok.add("GeoTIFF file(a_V.tif) is created.");
    ok.add("Filename(n.txt) is Not Product Data.");
    EXPECT_EQ(ok.exit_status(), 0);
    EXPECT_EQ(ok.summary(), "Summary: files 2, outputs written 1, failures 0, not products 1.");

    run_tally none;
    none.add("Filename(n.txt) is Not Product Data.");
    EXPECT_EQ(none.exit_status(), 1); // no input was a product

    run_tally cancelled = ok;
    cancelled.add("Cancel is activated.");
    EXPECT_EQ(cancelled.exit_status(), 1);

    run_tally ended = ok;
    ended.completed = false;
    EXPECT_EQ(ended.exit_status(), 1);
    ok.merge(ended);
    EXPECT_FALSE(ok.completed);
    EXPECT_EQ(ok.files, 4);
}

TEST(InputFiles, FoldersGiveTheirFilesInNameOrderWithoutSubFolders)
{
    std::string pattern = (fs::temp_directory_path() / "vardane-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    for (const char* name : {"b.h5", "a.h5", "B.dat"}) std::ofstream(dir / name) << "x";
    fs::create_directories(dir / "sub");
    std::ofstream(dir / "sub" / "inner.h5") << "x";
    std::ofstream(dir / "single.txt") << "x";

    const auto r = expand_inputs({(dir / "single.txt").string(), dir.string()});
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(r.files, (std::vector<std::string>{(dir / "single.txt").string(), (dir / "B.dat").string(),
                                                 (dir / "a.h5").string(), (dir / "b.h5").string(),
                                                 (dir / "single.txt").string()}));
    EXPECT_EQ(expand_inputs({(dir / "missing.h5").string()}).error, (dir / "missing.h5").string());
    fs::remove_all(dir);
}
