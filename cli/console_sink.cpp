#include "cli/console_sink.h"

#include <unistd.h>

#include <filesystem>

namespace vardane {

bool stderr_is_terminal() { return ::isatty(STDERR_FILENO) == 1; }

console_sink::console_sink(console_mode mode, bool showProgress) : mode_(mode), showProgress_(showProgress) {}

void console_sink::write_line(const std::string& line)
{
    // On a terminal both streams share the screen: the progress line steps
    // aside for the log line and comes back below it.
    const bool redraw = progressShown_;
    end_progress();
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    if (redraw) draw_progress();
}

void console_sink::write_error_line(const std::string& line)
{
    const bool redraw = progressShown_;
    end_progress();
    std::fflush(stdout);
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    if (redraw) draw_progress();
}

void console_sink::draw_progress()
{
    // Carriage return and erase-line: the line is redrawn in place.
    std::fprintf(stderr, "\r\033[K%s", progressLine_.c_str());
    std::fflush(stderr);
    progressShown_ = true;
}

void console_sink::printLog(const std::string& text)
{
    lastLine_ = text;
    if (mode_ == console_mode::full) write_line(text);
}

void console_sink::printNewLog(const std::string& text) { printLog(text); }

void console_sink::report(const run_event& event)
{
    tally.count(event);
    if (geotiffs_) geotiffs_->take(event);
    if (event.type != run_event_type::failure) return;
    // A failure is reported right after the line that tells it; its cause,
    // when the line does not say it, goes to standard error in every mode.
    // A quiet run shows the failure's line alone, so it names the file.
    if (mode_ == console_mode::quiet) {
        write_line(event.path.empty() ? lastLine_
                                      : std::filesystem::path(event.path).filename().string() + ": " + lastLine_);
        failureShown_ = lastLine_;
    }
    if (event.why.failed())
        write_error_line((event.why.file.empty() ? event.path : event.why.file) + ": " + event.why.cause);
}

void console_sink::relay(const child_record& record)
{
    if (const auto* line = std::get_if<std::string>(&record)) {
        printLog(*line);
    } else if (const auto* event = std::get_if<run_event>(&record)) {
        report(*event);
    }
}

void console_sink::discarded(const std::string& path)
{
    if (geotiffs_) geotiffs_->discard(path);
}

void console_sink::lost(const lost_file& file)
{
    ++tally.failures;
    write_error_line(file.path + ": " + file.line + "; outputs of this file discarded");
}

void console_sink::killed_after_cancel(const std::string& path, std::chrono::seconds grace)
{
    write_error_line(path + ": still converting " + std::to_string(grace.count())
                     + " s after the cancel; its worker was killed");
}

// The output list of the window has no counterpart here: the log line and
// the event that come with the file say it all.
void console_sink::append_outputList(const std::string&) {}

void console_sink::ChangeRunMode(bool) {}

void console_sink::show_if_quiet(const std::string& line)
{
    // A failure line shown a moment ago is not repeated.
    if (mode_ == console_mode::quiet && line != failureShown_) write_line(line);
}

void console_sink::progress(int done, int total, const std::string& current)
{
    if (!showProgress_) return;
    progressLine_ = "[" + std::to_string(done) + "/" + std::to_string(total) + "]";
    if (!current.empty()) progressLine_ += " " + current;
    draw_progress();
}

void console_sink::end_progress()
{
    if (!progressShown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    progressShown_ = false;
}

} // namespace vardane
