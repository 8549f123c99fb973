#include "cli/console_sink.h"

#include <unistd.h>

bool stderr_is_terminal() { return ::isatty(STDERR_FILENO) == 1; }

console_sink::console_sink(bool quiet, bool showProgress) : quiet_(quiet), showProgress_(showProgress) {}

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
    const line_class cls = tally.add(text);
    if (!quiet_ || cls == line_class::failure) write_line(text);
}

void console_sink::printNewLog(const std::string& text) { printLog(text); }

// The log line that came with the file says it all; counting happens there.
void console_sink::append_outputList(const std::string&) {}

void console_sink::ChangeRunMode(bool) {}

void console_sink::show_if_quiet(const std::string& line)
{
    if (quiet_) write_line(line);
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
