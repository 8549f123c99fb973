// Command-line parsing, the counting of run events, the worker records and
// folder inputs.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "batch/child_channel.h"
#include "cli/cli_options.h"
#include "batch/file_time_limit.h"
#include "cli/input_files.h"
#include "driver/run_tally.h"

namespace vardane {

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

// NoData follows the profile unless asked for or refused; the batch
// carries both to the workers.
TEST(CliOptions, GeotiffProfileAndNodataReachTheBatch)
{
    struct expectation {
        std::vector<std::string> flags;
        geotiff_profile profile;
        bool nodata;
    };
    const expectation cases[] = {
        {{}, geotiff_profile::plain, false},
        {{"--nodata"}, geotiff_profile::plain, true},
        {{"--geotiff-profile", "compressed"}, geotiff_profile::compressed, true},
        {{"--geotiff-profile=cog", "--no-nodata"}, geotiff_profile::cog, false},
        {{"--no-nodata", "--nodata", "--geotiff-profile", "plain"}, geotiff_profile::plain, true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"-o", "/o", "a.h5"};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const auto r = parse_command_line(args);
        ASSERT_TRUE(r.error.empty()) << r.error;
        const batch_options batch = batch_options_of(r.options);
        EXPECT_EQ(batch.geotiff.profile, c.profile) << args.size();
        EXPECT_EQ(batch.geotiff.nodata, c.nodata) << args.size();
    }
    for (const char* bad : {"zip", "", "COG"}) {
        EXPECT_EQ(parse_command_line({"-o", "/o", "--geotiff-profile", bad, "a"}).error,
                  "--geotiff-profile needs plain, compressed or cog");
    }
    EXPECT_FALSE(parse_command_line({"-o", "/o", "--nodata=1", "a"}).error.empty());
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

// Short options bundle as getopt's do: a value may follow its letter.
TEST(CliOptions, ShortOptionsBundle)
{
    const auto r = parse_command_line({"-qvj2", "-o/out", "a"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_TRUE(r.options.quiet && r.options.verbose);
    EXPECT_EQ(r.options.jobs, 2);
    EXPECT_EQ(r.options.output, "/out");
    const auto spaced = parse_command_line({"-qj", "3", "-vo", "/o", "a"});
    ASSERT_TRUE(spaced.error.empty()) << spaced.error;
    EXPECT_EQ(spaced.options.jobs, 3);
    EXPECT_EQ(spaced.options.output, "/o");
    EXPECT_EQ(parse_command_line({"-qx", "-o", "/o", "a"}).error, "unknown option -x");
    EXPECT_EQ(parse_command_line({"-q-", "-o", "/o", "a"}).error, "unknown option -q-");
    EXPECT_NE(std::string(usage_text()).find("-h, --help"), std::string::npos);
}

// --mosaic is off unless asked, and lays GeoTIFFs over each other: without
// them it is bad usage.
TEST(CliOptions, MosaicNeedsGeoTiffs)
{
    EXPECT_FALSE(parse_command_line({"-o", "/o", "a"}).options.mosaic);
    const auto r = parse_command_line({"-o", "/o", "--mosaic", "a"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_TRUE(r.options.mosaic);
    EXPECT_TRUE(parse_command_line({"-o", "/o", "--mosaic", "--kmz", "--geotiff", "a"}).error.empty());
    EXPECT_EQ(parse_command_line({"-o", "/o", "--mosaic", "--kmz", "a"}).error,
              "--mosaic needs GeoTIFF outputs (--geotiff)");
    EXPECT_EQ(parse_command_line({"-o", "/o", "--mosaic=1", "a"}).error, "unknown option --mosaic=1");
    // A mosaic needs each file's NoData: asked for it implies --nodata,
    // unless --no-nodata says otherwise.
    EXPECT_EQ(r.options.nodata, std::optional<bool>(true));
    EXPECT_EQ(parse_command_line({"-o", "/o", "--mosaic", "--no-nodata", "a"}).options.nodata,
              std::optional<bool>(false));
}

// --file-timeout overrides the default limit of a file, or lifts it.
TEST(CliOptions, FileTimeoutIsWholeSecondsAndZeroMeansNone)
{
    const std::string missing = "/nonexistent/a.h5";
    const auto given = parse_command_line({"-o", "/o", "--file-timeout", "7", "a"});
    ASSERT_TRUE(given.error.empty()) << given.error;
    EXPECT_EQ(file_time_limit(batch_options_of(given.options), missing), std::chrono::seconds(7));
    const auto none = parse_command_line({"-o", "/o", "--file-timeout=0", "a"});
    ASSERT_TRUE(none.error.empty()) << none.error;
    EXPECT_FALSE(file_time_limit(batch_options_of(none.options), missing).has_value());
    for (const char* bad : {"-1", "2.5", "x", ""}) {
        EXPECT_FALSE(parse_command_line({"-o", "/o", "--file-timeout", bad, "a"}).error.empty()) << bad;
    }
}

// The default must never cut off a live conversion: a full scene of the
// largest products (300 MB) takes some 15 s per output kind here, and a slow
// network disk may be 20 times slower. A small file still gets minutes.
TEST(FileTimeLimit, DefaultAllowsTheLargestProductOnASlowDiskForEveryKindAsked)
{
    const fs::path folder = fs::temp_directory_path() / ("vardane-limit-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path large = folder / "large.h5";
    std::ofstream(large).close();
    fs::resize_file(large, 300ull * 1024 * 1024); // sparse: takes no room
    const fs::path small = folder / "small.h5";
    std::ofstream(small) << "x";

    const auto one = parse_command_line({"-o", "/o", "a"}).options;
    const auto all = parse_command_line({"-o", "/o", "--geotiff", "--kmz", "--tiff-text", "--netcdf", "a"}).options;
    const auto paced = parse_command_line({"-o", "/o", "--pace", "1000", "a"}).options;
    const auto limit = [](const cli_options& o, const fs::path& p) {
        return file_time_limit(batch_options_of(o), p.string()).value();
    };
    using std::chrono::seconds;
    EXPECT_GE(limit(one, small), seconds(60));
    EXPECT_GE(limit(one, large), seconds(15 * 20));
    EXPECT_GE(limit(all, large), seconds(4 * 15 * 20));
    // The pace sleeps some four times per variable: a hundred variables.
    EXPECT_GE(limit(paced, small) - limit(one, small), seconds(400));
    // A file that cannot be measured fails at once, but gets minutes too.
    EXPECT_GE(limit(one, folder / "gone.h5"), seconds(60));
    fs::remove_all(folder);
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
    run_tally signalled = ok;
    signalled.cancelled = true;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        signalled.signal = signal;
        EXPECT_EQ(signalled.exit_status(), 128 + signal);
    }
    run_tally ended = ok;
    ended.completed = false;
    EXPECT_EQ(ended.exit_status(), 1);
    EXPECT_EQ(ended.summary(), "Summary: files 2, outputs written 1, failures 0, not products 1, run ended early.");
}

// Records and tasks survive file names and messages holding the characters
// that separate records and fields.
TEST(ChildChannel, RecordsAndTasksRoundTripWhateverTheTextHolds)
{
    const std::string awkward = "/out/a\tb\\c\nd\re\\";
    const std::string line = "Fail in creating TIFF file(a\tb\n).";
    std::vector<child_record> records{line, std::string(), file_started{awkward}, task_ended{true}, task_ended{false}};
    for (const auto type : {run_event_type::recognised, run_event_type::not_product, run_event_type::output_created,
                            run_event_type::failure, run_event_type::cancelled}) {
        records.emplace_back(run_event{type, "KMZ", awkward, failure{awkward + "\t2", line}});
    }
    for (const auto& record : records) {
        const std::string text = encode_record(record);
        EXPECT_EQ(text.find('\n'), std::string::npos);
        const auto decoded = decode_record(text);
        ASSERT_TRUE(decoded.has_value()) << text;
        EXPECT_EQ(encode_record(*decoded), text);
        if (const auto* e = std::get_if<run_event>(&*decoded)) {
            EXPECT_EQ(e->path + e->why.file + e->why.cause, awkward + awkward + "\t2" + line);
        }
    }
    EXPECT_EQ(std::get<file_started>(*decode_record(encode_record(file_started{awkward}))).path, awkward);
    const std::vector<std::string> files{awkward, "b.h5", ""};
    EXPECT_EQ(decode_task(encode_task(files)), files);
    EXPECT_FALSE(decode_record("property='FileHeader'").has_value());
    EXPECT_FALSE(decode_record("Ebogus\t\t\t").has_value());
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
    EXPECT_TRUE(r.missing.empty());
    EXPECT_EQ(r.files, (std::vector<std::string>{(dir / "single.txt").string(), (dir / "B.dat").string(),
                                                 (dir / "a.h5").string(), (dir / "b.h5").string(),
                                                 (dir / "single.txt").string()}));
    const auto gap = expand_inputs({(dir / "missing.h5").string(), (dir / "a.h5").string()});
    EXPECT_EQ(gap.missing, std::vector<std::string>{(dir / "missing.h5").string()});
    EXPECT_EQ(gap.files, std::vector<std::string>{(dir / "a.h5").string()});

    // A link in a folder whose target is gone is missing, not a stranger.
    const fs::path links = dir / "links";
    fs::create_directories(links);
    fs::create_symlink(dir / "gone.h5", links / "dangling.h5");
    fs::create_symlink(dir / "a.h5", links / "living.h5");
    const auto linked = expand_inputs({links.string()});
    EXPECT_EQ(linked.missing, std::vector<std::string>{(links / "dangling.h5").string()});
    EXPECT_EQ(linked.files, std::vector<std::string>{(links / "living.h5").string()});
    fs::remove_all(dir);
}

} // namespace vardane
