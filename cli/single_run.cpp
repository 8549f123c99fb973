#include "cli/single_run.h"

#include <atomic>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "app/driver/run_driver.h"
#include "cli/cancel_signal.h"
#include "output/spout.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace fs = std::filesystem;

std::string private_work_folder(const std::string& output)
{
    std::error_code ec;
    const fs::path folder = fs::absolute(output, ec);
    return (folder / (".vardane-work-" + std::to_string(::getpid()))).string();
}

run_tally run_in_process(const cli_options& options, const std::vector<std::string>& files, spconverter& settings,
                         console_sink& sink)
{
    std::error_code ec;
    const fs::path startFolder = fs::current_path(ec);

    spinfo info;
    spout out;
    run_driver driver(info, settings, out, sink);
    // The driver changes the current directory: inputs must not depend on it.
    for (const auto& file : files) driver.inputList.push_back(fs::absolute(file, ec).string());
    driver.outputFolder = options.output;
    driver.WorkDir = private_work_folder(options.output);
    driver.Twait = options.paceMs;

    std::atomic<bool> requested{false};
    route_cancel_signals(&driver.FlagCancel, &requested);
    const bool started = driver.RunAction(options.kinds);
    // Starting a run clears the cancel flag: a signal that came while the
    // run was being prepared still counts.
    if (requested) driver.FlagCancel = true;
    driver.join();
    route_cancel_signals(nullptr);

    // The working folder was emptied by the run; only the folder is left.
    if (!startFolder.empty()) fs::current_path(startFolder, ec);
    fs::remove(driver.WorkDir, ec);

    sink.tally.files = static_cast<int>(files.size());
    sink.tally.completed = started && driver.completed();
    if (!sink.tally.completed && started) sink.show_if_quiet(sink.last_line());
    return sink.tally;
}
