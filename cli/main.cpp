// vardane-cli: the conversion run of the window, without a window.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "batch/batch_run.h"
#include "batch/fast_exit.h"
#include "batch/geotiff_mosaic.h"
#include "batch/signal_gate.h"
#include "batch/worker_main.h"
#include "driver/library_versions.h"
#include "driver/run_messages.h"
#include "driver/working_folder.h"
#include "cli/batch_inputs.h"
#include "cli/cli_options.h"
#include "cli/console_sink.h"
#include "cli/file_reporter.h"
#include "cli/finished_files.h"
#include "cli/report_log.h"
#include "settings/spconverter.h"

namespace vardane {

namespace fs = std::filesystem;

namespace {

constexpr int kUsageStatus = 2;
constexpr const char* kHelpHint = "Try 'vardane-cli --help' for more information.";

// One line that says what is wrong, and where to read more: the whole help
// would push the line itself off the screen.
int usage_error(const std::string& message)
{
    std::cerr << "vardane-cli: " << message << "\n" << kHelpHint << "\n";
    return kUsageStatus;
}

// The settings of the run; an error text when a named file is no use.
std::string load_settings(const cli_options& options, spconverter& settings)
{
    if (options.settingsFile.empty()) {
        // Without a file the built-in settings hold, as in the window.
        settings.loadSetting();
        return {};
    }
    std::error_code ec;
    if (!fs::is_regular_file(options.settingsFile, ec)) return "no settings file " + options.settingsFile;
    settings.set_config_path(options.settingsFile);
    // A settings file named on the command line that cannot be read, or in
    // which not one section is known (another file named by mistake), would
    // silently mean the built-in settings: refuse the run instead.
    if (!settings.loadSetting()) return "cannot read settings file " + options.settingsFile;
    if (settings.sections_recognised() == 0) return "no settings section in " + options.settingsFile;
    return {};
}

// Files an earlier run finished: logged as skipped and recorded again, so
// that this run's report, too, names every input.
struct skipped_count {
    int files = 0;
    int products = 0;
    int notProducts = 0;
};

std::vector<std::string> drop_finished(const std::vector<std::string>& files, const finished_files& finished,
                                       console_sink& sink, file_reporter& reporter, skipped_count& skipped)
{
    std::vector<std::string> rest;
    for (const auto& file : files) {
        const file_report* earlier = finished.finished(file);
        if (!earlier) {
            rest.push_back(file);
            continue;
        }
        sink.printLog("Skipped " + file + ": converted before, its outputs are in the output folder.");
        reporter.skipped(*earlier);
        ++skipped.files;
        ++(earlier->kind == file_report::kNotProduct ? skipped.notProducts : skipped.products);
    }
    return rest;
}

// --mosaic: the VRTs over the run's GeoTIFFs, each told in the log like an
// output, a VRT that could not be made as a failure with its cause.
void write_mosaics(const std::vector<run_geotiff>& geotiffs, const std::string& folder, console_sink& sink,
                   run_tally& tally)
{
    for (const auto& plan : plan_mosaics(geotiffs, folder)) {
        const std::string name = fs::path(plan.vrt).filename().string();
        const failure why = write_mosaic(plan);
        if (why.failed()) {
            sink.printLog(run_msg::kind_failure_line(kKindMosaic, name));
            sink.report(run_event{run_event_type::failure, kKindMosaic, plan.vrt, why});
            ++tally.failures;
        } else {
            sink.printLog(kKindMosaic + std::string(run_msg::kCreatedHead) + name + run_msg::kCreatedTail);
            ++tally.outputs;
        }
    }
}

int run_cli(int argc, char** argv)
{
    const cli_parse_result parsed = parse_command_line(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) return usage_error(parsed.error);
    const cli_options& options = parsed.options;
    if (options.help) {
        std::cout << usage_text();
        return 0;
    }
    if (options.version) {
        std::cout << "vardane-cli " << VARDANE_VERSION << "\n";
        for (const auto& [name, version] : library_versions()) std::cout << name << " " << version << "\n";
        return 0;
    }

    spconverter settings;
    if (const std::string error = load_settings(options, settings); !error.empty()) return usage_error(error);
    for (const auto& warning : settings.load_warnings()) std::cerr << "vardane-cli: " << warning << "\n";
    if (options.listOptions) {
        settings.write_settings(std::cout);
        return std::cout.good() ? 0 : 1;
    }

    std::error_code ec;
    if (!fs::is_directory(options.output, ec)) {
        // The log line the window shows, and the usage error a shell shows.
        std::cout << run_msg::kOutputFolderMissing << std::endl;
        return usage_error(run_msg::kOutputFolderMissing);
    }
    // Working folders of earlier runs that were killed.
    sweep_stale_work_folders(options.output, kWorkFolderPrefix);

    const auto inputSet = batch_inputs(options);
    if (!inputSet) return usage_error("cannot read the input list " + options.filesFrom);
    const input_expansion& inputs = inputSet->inputs;
    // An empty list is a mistake whether or not the run is split.
    if (inputSet->wholeBatchEmpty && options.inputs.empty()) return usage_error("no input in " + options.filesFrom);
    if (!inputSet->wholeBatchEmpty && inputs.files.empty() && inputs.missing.empty()) {
        // An array job may have more tasks than inputs: an empty shard is
        // done at once.
        std::cout << run_tally{}.summary() << std::endl;
        return 0;
    }
    for (const auto& repeat : inputSet->repeats) {
        std::cerr << "vardane-cli: " << repeat.path << " is " << repeat.first << " again: converted once\n";
    }
    std::optional<report_log> report;
    std::optional<file_reporter> reporter;
    std::optional<finished_files> finished;
    if (!options.reportFile.empty()) {
        // Read before this run appends to it.
        auto earlier =
            options.skipExisting ? read_report(options.reportFile, std::cerr) : std::map<std::string, file_report>{};
        report.emplace(options.reportFile);
        if (!report->is_open()) return usage_error("cannot write the report " + options.reportFile);
        reporter.emplace(*report, asked_kinds(options.kinds));
        if (options.skipExisting) finished.emplace(std::move(earlier), asked_kinds(options.kinds), options.output);
    }

    // A reader of the log that goes away (`| head`) ends the log, not the
    // conversions or the report: writes to the closed pipe fail quietly.
    std::signal(SIGPIPE, SIG_IGN);
    console_sink sink(options.quiet ? console_mode::quiet : console_mode::full, stderr_is_terminal());
    run_geotiffs geotiffs;
    if (options.mosaic) sink.gather_geotiffs(geotiffs);
    skipped_count skipped;
    const std::vector<std::string> toConvert =
        finished ? drop_finished(inputs.files, *finished, sink, *reporter, skipped) : inputs.files;

    // A missing input costs itself only: the others are converted and the
    // run counts it as a failure.
    for (const auto& input : inputs.missing) {
        std::cerr << "vardane-cli: no such file or folder: " << input << "\n";
        if (reporter) reporter->failed_alone(input, "no such file or folder");
    }
    sink.tally.failures = static_cast<int>(inputs.missing.size());
    // A resumed batch with nothing left to convert has nothing to start.
    const batch_options batch = batch_options_of(options);
    // Each worker converts with its own copy of the settings: the fork's.
    const worker_launcher launcher{[&batch, &settings](pid_t parent) { return run_worker(batch, settings, parent); },
                                   {}};
    run_tally tally = toConvert.empty() && skipped.files > 0
                          ? sink.tally
                          : run_batch(batch, launcher, toConvert, sink, reporter ? &*reporter : nullptr);
    tally.files += static_cast<int>(inputs.missing.size());
    tally.files += skipped.files;
    tally.products += skipped.products;
    tally.notProducts += skipped.notProducts;
    // A cancelled run stops: nothing more is made.
    if (options.mosaic && !tally.cancelled) write_mosaics(geotiffs.files(), options.output, sink, tally);
    sink.end_progress();
    std::cout << tally.summary() << std::endl;
    if (report && !report->all_written()) {
        std::cerr << "vardane-cli: records lost in the report " << options.reportFile << "\n";
        return std::max(tally.exit_status(), 1);
    }
    return tally.exit_status();
}

} // namespace

} // namespace vardane

int main(int argc, char** argv)
{
    vardane::hold_cancel_signals();
    const int status = vardane::run_cli(argc, argv);
    // Everything of the run is closed by now. What is left are the exit
    // handlers of the hundred-odd libraries this program links, which the
    // parent never initialised: running them costs a short run as much as
    // its conversion's set-up, so the process ends without them.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    vardane::fast_exit(status);
}
