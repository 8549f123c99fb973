#include "batch/worker_program.h"

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <unistd.h>

#include "batch/fast_exit.h"
#include "batch/signal_gate.h"
#include "batch/worker_main.h"
#include "settings/spconverter.h"

namespace vardane {

namespace {

constexpr int kUsageStatus = 2;

// The output kinds as letters, one for each kind asked.
struct kind_letter {
    char letter;
    bool output_switches::*field;
};
constexpr kind_letter kKindLetters[] = {
    {'g', &output_switches::geotiff},
    {'k', &output_switches::kmz},
    {'t', &output_switches::tiffText},
    {'n', &output_switches::netcdf},
};

template <typename Number>
std::optional<Number> number_of(const std::string& text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

struct worker_start {
    batch_options options;
    pid_t parent = 0;
};

// Nothing when the arguments are not those of worker_arguments.
std::optional<worker_start> parse_worker_arguments(int argc, char** argv)
{
    std::map<std::string, std::string> values;
    worker_start start;
    for (int i = 2; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--verbose") {
            start.options.verbose = true;
        } else if (name == "--nodata") {
            start.options.geotiff.nodata = true;
        } else if (i + 1 < argc && name.rfind("--", 0) == 0) {
            values[name] = argv[++i];
        } else {
            return std::nullopt;
        }
    }
    const auto jobs = number_of<int>(values["--jobs"]);
    const auto pace = number_of<int>(values["--pace"]);
    const auto parent = number_of<pid_t>(values["--parent"]);
    if (!jobs || !pace || !parent || values["--output"].empty()) return std::nullopt;
    start.options.output = values["--output"];
    start.options.jobs = *jobs;
    start.options.paceMs = *pace;
    start.parent = *parent;
    start.options.settingsFile = values["--settings"];
    if (values.count("--geotiff-profile") != 0) {
        const auto profile = geotiff_profile_named(values["--geotiff-profile"]);
        if (!profile) return std::nullopt;
        start.options.geotiff.profile = *profile;
    }
    if (values.count("--polar-grid") != 0) {
        const auto grid = polar_grid_named(values["--polar-grid"]);
        if (!grid) return std::nullopt;
        start.options.geotiff.polarGrid = *grid;
    }
    for (const char letter : values["--kinds"]) {
        for (const auto& kind : kKindLetters) {
            if (kind.letter == letter) start.options.kinds.*kind.field = true;
        }
    }
    if (values.count("--max-memory") != 0) {
        start.options.maxMemory = number_of<std::uint64_t>(values["--max-memory"]);
        if (!start.options.maxMemory) return std::nullopt;
    }
    return start;
}

} // namespace

std::vector<std::string> worker_arguments(const std::string& program, const batch_options& options, pid_t parent)
{
    std::string kinds;
    for (const auto& kind : kKindLetters) {
        if (options.kinds.*kind.field) kinds += kind.letter;
    }
    std::vector<std::string> args{program,    kWorkerSwitch,
                                  "--output", options.output,
                                  "--kinds",  kinds.empty() ? "-" : kinds,
                                  "--jobs",   std::to_string(options.jobs),
                                  "--pace",   std::to_string(options.paceMs),
                                  "--parent", std::to_string(parent)};
    if (!options.settingsFile.empty()) args.insert(args.end(), {"--settings", options.settingsFile});
    if (options.maxMemory) args.insert(args.end(), {"--max-memory", std::to_string(*options.maxMemory)});
    if (options.geotiff.profile != geotiff_profile::plain) {
        args.insert(args.end(), {"--geotiff-profile", std::string(geotiff_profile_name(options.geotiff.profile))});
    }
    if (options.geotiff.nodata) args.emplace_back("--nodata");
    if (options.geotiff.polarGrid != polar_grid::quick_look) {
        args.insert(args.end(), {"--polar-grid", std::string(polar_grid_name(options.geotiff.polarGrid))});
    }
    if (options.verbose) args.emplace_back("--verbose");
    return args;
}

bool is_worker_start(int argc, char** argv) { return argc > 1 && std::strcmp(argv[1], kWorkerSwitch) == 0; }

void run_worker_program(int argc, char** argv)
{
    // A cancel that comes before the worker's gate opens waits for it.
    hold_cancel_signals();
    // The conversions run under the user's locale, as they did in the
    // window, and do not depend on it.
    std::setlocale(LC_ALL, "");
    const auto start = parse_worker_arguments(argc, argv);
    if (!start) {
        std::fputs("vardane: unreadable worker arguments\n", stderr);
        fast_exit(kUsageStatus);
    }
    spconverter settings;
    if (!start->options.settingsFile.empty()) settings.set_config_path(start->options.settingsFile);
    settings.loadSetting();
    const int status = run_worker(start->options, settings, start->parent);
    std::fflush(nullptr);
    fast_exit(status);
}

} // namespace vardane
