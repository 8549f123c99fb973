// vardane-cli: the conversion run of the window, without a window.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/driver/run_messages.h"
#include "app/driver/working_folder.h"
#include "cli/cli_options.h"
#include "cli/console_sink.h"
#include "cli/input_files.h"
#include "cli/parallel_run.h"
#include "cli/single_run.h"
#include "settings/spconverter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsageStatus = 2;

int usage_error(const std::string& message)
{
    std::cerr << "vardane-cli: " << message << "\n" << usage_text();
    return kUsageStatus;
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
        return 0;
    }

    spconverter settings;
    if (!options.settingsFile.empty()) {
        std::error_code ec;
        if (!fs::is_regular_file(options.settingsFile, ec)) return usage_error("no settings file " + options.settingsFile);
        settings.set_config_path(options.settingsFile);
        // A settings file named on the command line that cannot be read
        // would silently mean the built-in settings: refuse the run instead.
        if (!settings.loadSetting()) return usage_error("cannot read settings file " + options.settingsFile);
    } else {
        // Without a file the built-in settings hold, as in the window.
        settings.loadSetting();
    }
    for (const auto& warning : settings.load_warnings()) std::cerr << "vardane-cli: " << warning << "\n";
    if (options.listOptions) {
        settings.write_settings(std::cout);
        return std::cout.good() ? 0 : 1;
    }

    const input_expansion inputs = expand_inputs(options.inputs);
    if (!inputs.error.empty()) return usage_error("no such file or folder: " + inputs.error);

    std::error_code ec;
    if (!fs::is_directory(options.output, ec)) {
        std::cout << run_msg::kOutputFolderMissing << std::endl;
        return kUsageStatus;
    }
    // Working folders of earlier runs that were killed; a child leaves this
    // to its parent.
    if (!options.child) sweep_stale_work_folders(options.output, kWorkFolderPrefix);

    const bool progress = !options.child && stderr_is_terminal();
    const console_mode mode = options.child ? console_mode::child
        : options.quiet                     ? console_mode::quiet
                                            : console_mode::full;
    console_sink sink(mode, progress);
    const bool parallel = !options.child && options.jobs > 1 && inputs.files.size() > 1;
    const run_tally tally = parallel ? run_in_parallel(options, inputs.files, sink)
                                     : run_in_process(options, inputs.files, settings, sink);
    sink.end_progress();
    if (!options.child) std::cout << tally.summary() << std::endl;
    return tally.exit_status();
}
