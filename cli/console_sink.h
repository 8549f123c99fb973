#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "batch/batch_sink.h"
#include "batch/run_geotiffs.h"
#include "driver/run_sink.h"

namespace vardane {

// How a console sink shows a run.
enum class console_mode {
    full,  // every log line
    quiet, // only the lines of failures (and of a run that ended early)
};

// Prints a run's log lines on standard output as the window shows them,
// counts its events, and keeps a progress line on standard error when that
// is a terminal: the command line's side of the batch (and of a driver run
// in this process).
class console_sink final : public run_sink, public batch_sink {
public:
    console_sink(console_mode mode, bool showProgress);

    void printLog(const std::string& text) override;
    void printNewLog(const std::string& text) override;
    void append_outputList(const std::string& path) override;
    void ChangeRunMode(bool running) override;
    void progress(int done, int total, const std::string& current) override;
    void report(const run_event& event) override;

    // Takes one record of a worker process: its log line is shown and its
    // event counted like those of this process.
    void relay(const child_record& record) override;
    // A lost file is told on standard error whatever the mode.
    void lost(const lost_file& file) override;
    // Told on standard error.
    void killed_after_cancel(const std::string& path, std::chrono::seconds grace) override;
    const std::string& last_line() const override { return lastLine_; }
    // In quiet mode the line that ended a run early is shown as well.
    void show_if_quiet(const std::string& line) override;
    // Removes the progress line before the summary is printed.
    void end_progress();
    // The run's GeoTIFFs are gathered into `geotiffs` (for --mosaic).
    void gather_geotiffs(run_geotiffs& geotiffs) { geotiffs_ = &geotiffs; }
    void discarded(const std::string& path) override;

private:
    void write_line(const std::string& line);
    void write_error_line(const std::string& line);
    void draw_progress();

    console_mode mode_;
    bool showProgress_;
    bool progressShown_ = false;
    std::string progressLine_;
    std::string lastLine_;
    std::string failureShown_; // the last failure line a quiet run showed
    run_geotiffs* geotiffs_ = nullptr;
};

// True when standard error is a terminal.
bool stderr_is_terminal();

} // namespace vardane
