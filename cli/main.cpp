// vardane-cli: the conversion run of the window, without a window.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/driver/library_versions.h"
#include "app/driver/run_messages.h"
#include "app/driver/working_folder.h"
#include "cli/batch_run.h"
#include "cli/cli_options.h"
#include "cli/console_sink.h"
#include "cli/input_files.h"
#include "cli/worker_main.h"
#include "settings/spconverter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsageStatus = 2;

int usage_error(const std::string& message)
{
    std::cerr << "vardane-cli: " << message << "\n" << usage_text();
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

} // namespace

int main(int argc, char** argv)
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
    // The parent has told the warnings already.
    if (options.worker) return run_worker(options, settings);
    for (const auto& warning : settings.load_warnings()) std::cerr << "vardane-cli: " << warning << "\n";
    if (options.listOptions) {
        settings.write_settings(std::cout);
        return std::cout.good() ? 0 : 1;
    }

    std::error_code ec;
    if (!fs::is_directory(options.output, ec)) {
        std::cout << run_msg::kOutputFolderMissing << std::endl;
        return kUsageStatus;
    }
    // Working folders of earlier runs that were killed.
    sweep_stale_work_folders(options.output, kWorkFolderPrefix);

    // A missing input costs itself only: the others are converted and the
    // run counts it as a failure.
    const input_expansion inputs = expand_inputs(options.inputs);
    for (const auto& input : inputs.missing) std::cerr << "vardane-cli: no such file or folder: " << input << "\n";

    console_sink sink(options.quiet ? console_mode::quiet : console_mode::full, stderr_is_terminal());
    sink.tally.failures = static_cast<int>(inputs.missing.size());
    run_tally tally = run_batch(options, inputs.files, sink);
    tally.files += static_cast<int>(inputs.missing.size());
    sink.end_progress();
    std::cout << tally.summary() << std::endl;
    return tally.exit_status();
}
