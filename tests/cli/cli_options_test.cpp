// Command-line parsing, the counting of run events, the child records and
// folder inputs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/child_channel.h"
#include "cli/cli_options.h"
#include "cli/input_files.h"
#include "cli/run_tally.h"

namespace fs = std::filesystem;

TEST(CliOptions, NoKindMeansGeoTiffAloneAndGivenKindsReplaceIt)
{
    const auto plain = parse_command_line({"-o", "/out", "a.h5"});
    ASSERT_TRUE(plain.error.empty()) << plain.error;
    EXPECT_TRUE(plain.options.kinds.geotiff);
    EXPECT_FALSE(plain.options.kinds.kmz || plain.options.kinds.tiffText || plain.options.kinds.netcdf);

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

// Listing needs neither input nor output; "--" ends the options so file
// names may start with a dash.
TEST(CliOptions, ListingAndDashDash)
{
    for (const char* listing : {"--list-options", "--help", "--version"}) {
        EXPECT_TRUE(parse_command_line({listing}).error.empty()) << listing;
    }
    const auto r = parse_command_line({"-o", "/o", "--", "-odd-name.h5"});
    ASSERT_TRUE(r.error.empty());
    EXPECT_EQ(r.options.inputs, (std::vector<std::string>{"-odd-name.h5"}));
}

TEST(CliOptions, ChildArgumentsReproduceTheRunForItsFiles)
{
    auto parent = parse_command_line({"--tiff-text", "--kmz", "-o", " /out dir  ", "--pace", "7", "-j", "4",
                                      "--settings", "/s/vdn-config.dat", "-q", "a", "b"})
                      .options;
    const auto child = parse_command_line(child_arguments(parent, {"-b.h5", "c d.h5"}));
    ASSERT_TRUE(child.error.empty()) << child.error;
    EXPECT_TRUE(child.options.child);
    EXPECT_EQ(child.options.output, "/out dir");
    EXPECT_EQ(child.options.paceMs, 7);
    EXPECT_EQ(child.options.jobs, 1);
    EXPECT_EQ(child.options.settingsFile, "/s/vdn-config.dat");
    EXPECT_TRUE(!child.options.kinds.geotiff && child.options.kinds.tiffText && child.options.kinds.kmz
                && !child.options.kinds.netcdf);
    EXPECT_EQ(child.options.inputs, (std::vector<std::string>{"-b.h5", "c d.h5"}));
}

TEST(RunTally, EventsDecideTheExitStatusAndSummary)
{
    const auto event = [](run_event_type type) { return run_event{type, "GeoTIFF", "/x", {}}; };
    run_tally ok;
    ok.files = 2;
    for (auto type : {run_event_type::recognised, run_event_type::output_created, run_event_type::not_product}) {
        ok.count(event(type));
    }
    EXPECT_EQ(ok.exit_status(), 0);
    EXPECT_EQ(ok.summary(), "Summary: files 2, outputs written 1, failures 0, not products 1.");

    run_tally none;
    none.count(event(run_event_type::not_product));
    EXPECT_EQ(none.exit_status(), 1); // no input was a product

    for (auto type : {run_event_type::failure, run_event_type::cancelled}) {
        run_tally spoiled = ok;
        spoiled.count(event(type));
        EXPECT_EQ(spoiled.exit_status(), 1);
    }
    run_tally ended = ok;
    ended.completed = false;
    EXPECT_EQ(ended.exit_status(), 1);
    EXPECT_EQ(ended.summary(), "Summary: files 2, outputs written 1, failures 0, not products 1, run ended early.");
}

// A child's records survive file names and messages holding the characters
// that separate records and fields.
TEST(ChildChannel, RecordsRoundTripWhateverTheTextHolds)
{
    const std::string awkward = "/out/a\tb\\c\nd\re\\";
    const std::string line = "Fail in creating TIFF file(a\tb\n).";
    for (const std::string& record : {encode_log_record(line), encode_log_record(""), encode_event_record({run_event_type::output_created, "KMZ", awkward})}) {
        EXPECT_EQ(record.find('\n'), std::string::npos);
    }
    const auto log = decode_record(encode_log_record(line));
    ASSERT_TRUE(log.has_value());
    EXPECT_EQ(std::get<std::string>(*log), line);

    for (const auto type : {run_event_type::recognised, run_event_type::not_product, run_event_type::output_created,
                            run_event_type::failure, run_event_type::cancelled}) {
        const auto decoded = decode_record(encode_event_record({type, "KMZ", awkward}));
        ASSERT_TRUE(decoded.has_value());
        const auto& e = std::get<run_event>(*decoded);
        EXPECT_EQ(e.type, type);
        EXPECT_EQ(e.kind, "KMZ");
        EXPECT_EQ(e.path, awkward);
    }
    // Library chatter on the child's output is no record.
    EXPECT_FALSE(decode_record("property='FileHeader'").has_value());
    EXPECT_FALSE(decode_record("Ebogus\t\t").has_value());
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
