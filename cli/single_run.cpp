#include "cli/single_run.h"

#include <atomic>
#include <filesystem>
#include <system_error>

#include "app/driver/run_driver.h"
#include "app/driver/working_folder.h"
#include "cli/cancel_signal.h"
#include "output/spout.h"
#include "reader/spinfo.h"
#include "settings/spconverter.h"

namespace fs = std::filesystem;

std::filesystem::path private_work_folder(const std::string& output)
{
    std::error_code ec;
    return process_work_folder(fs::absolute(output, ec), kWorkFolderPrefix);
}

run_tally run_in_process(const cli_options& options, const std::vector<std::string>& files, spconverter& settings,
                         console_sink& sink)
{
    spinfo info;
    spout out;
    run_driver driver(info, settings, out, sink);
    run_request request;
    request.inputs = files;
    request.outputFolder = options.output;
    request.workFolder = private_work_folder(options.output);
    request.switches = options.kinds;
    request.paceMs = options.paceMs;

    std::atomic<bool> requested{false};
    route_cancel_signals(&driver.cancel_flag(), &requested);
    const bool started = driver.RunAction(request);
    // Starting a run clears the cancel flag: a signal that came while the
    // run was being prepared still counts.
    if (requested) driver.cancel();
    driver.join();
    route_cancel_signals(nullptr);

    // The working folder was emptied by the run; only the folder is left.
    std::error_code ec;
    fs::remove(driver.request().workFolder, ec);

    sink.tally.files = static_cast<int>(files.size());
    sink.tally.completed = started && driver.completed();
    if (!sink.tally.completed && started) sink.show_if_quiet(sink.last_line());
    return sink.tally;
}
