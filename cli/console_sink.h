#pragma once

#include <cstdio>
#include <string>

#include "app/driver/run_sink.h"
#include "cli/run_tally.h"

// Prints a run's log lines on standard output as the window shows them
// (only failures when quiet), counts them, and keeps a progress line on
// standard error when that is a terminal.
class console_sink : public run_sink {
public:
    console_sink(bool quiet, bool showProgress);

    void printLog(const std::string& text) override;
    void printNewLog(const std::string& text) override;
    void append_outputList(const std::string& path) override;
    void ChangeRunMode(bool running) override;
    void progress(int done, int total, const std::string& current) override;

    // Prints a line of a child's log, counted like one of this process.
    void relay(const std::string& line) { printLog(line); }
    // The last line logged: the outer frame's message when a run ended early.
    const std::string& last_line() const { return lastLine_; }
    // In quiet mode the line that ended a run early is shown as well.
    void show_if_quiet(const std::string& line);
    // Removes the progress line before the summary is printed.
    void end_progress();

    run_tally tally;

private:
    void write_line(const std::string& line);
    void draw_progress();

    bool quiet_;
    bool showProgress_;
    bool progressShown_ = false;
    std::string progressLine_;
    std::string lastLine_;
};

// True when standard error is a terminal.
bool stderr_is_terminal();
