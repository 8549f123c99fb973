#include "cli/file_reporter.h"

#include <filesystem>

#include "batch/worker_process.h"

namespace vardane {

file_reporter::file_reporter(report_log& log, std::vector<std::string> asked) : log_(log), asked_(std::move(asked)) {}

void file_reporter::started(std::size_t task, const std::string& path)
{
    finish(task);
    open_file& file = open_[task];
    file.report.input = input_key(path);
    file.report.stamp = stamp_of(path);
    file.report.asked = asked_;
    file.start = std::chrono::steady_clock::now();
}

void file_reporter::record(std::size_t task, const child_record& record)
{
    const auto it = open_.find(task);
    if (it == open_.end()) return;
    open_file& file = it->second;
    if (const auto* line = std::get_if<std::string>(&record)) {
        file.lastLine = *line;
        return;
    }
    const auto* event = std::get_if<run_event>(&record);
    if (!event) return;
    switch (event->type) {
    case run_event_type::recognised: file.report.kind = event->kind; break;
    case run_event_type::not_product: file.report.kind = file_report::kNotProduct; break;
    case run_event_type::output_created: {
        std::error_code ec;
        const auto bytes = std::filesystem::file_size(event->path, ec);
        file.report.outputs.push_back({event->path, ec ? 0 : bytes});
        break;
    }
    case run_event_type::failure:
        file.report.failures.push_back({file.lastLine, event->why.cause, event->why.file});
        break;
    case run_event_type::cancelled: file.report.cancelled = true; break;
    }
}

void file_reporter::lost(std::size_t task, const lost_file& lost)
{
    if (!open_.contains(task) || open_[task].report.input != input_key(lost.path)) started(task, lost.path);
    open_file& file = open_[task];
    file.report.outputs.clear();
    file.report.failures.push_back({lost.line, lost.cause, file.report.input});
    finish(task);
}

void file_reporter::ended(std::size_t task, bool cancelled)
{
    const auto it = open_.find(task);
    if (it == open_.end()) return;
    it->second.report.cancelled = it->second.report.cancelled || cancelled;
    finish(task);
}

void file_reporter::failed_alone(const std::string& path, const std::string& why)
{
    file_report report;
    report.input = input_key(path);
    report.asked = asked_;
    report.failures.push_back({why, {}, report.input});
    log_.append(report);
}

void file_reporter::skipped(file_report earlier)
{
    earlier.skipped = true;
    earlier.seconds = 0;
    log_.append(earlier);
}

void file_reporter::finish(std::size_t task)
{
    const auto it = open_.find(task);
    if (it == open_.end()) return;
    open_file& file = it->second;
    // The batch discards the outputs of a file a cancel cut off.
    if (file.report.cancelled) file.report.outputs.clear();
    file.report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - file.start).count();
    log_.append(file.report);
    open_.erase(it);
}

} // namespace vardane
