#include "cli/finished_files.h"

#include <algorithm>
#include <system_error>

namespace vardane {

namespace fs = std::filesystem;

finished_files::finished_files(std::map<std::string, file_report> earlier, std::vector<std::string> asked,
                               fs::path outputFolder)
    : asked_(std::move(asked)), outputFolder_(std::move(outputFolder))
{
    for (auto& [input, report] : earlier) earlier_.insert_or_assign(input_key(input), std::move(report));
}

const file_report* finished_files::finished(const std::string& input) const
{
    const auto it = earlier_.find(input_key(input));
    if (it == earlier_.end()) return nullptr;
    const file_report& report = it->second;
    if (report.kind.empty() || report.cancelled || !report.failures.empty()) return nullptr;
    // Kinds asked now that were not asked then have no outputs yet.
    const bool kindsMade = std::all_of(asked_.begin(), asked_.end(), [&report](const std::string& kind) {
        return std::find(report.asked.begin(), report.asked.end(), kind) != report.asked.end();
    });
    // A file rewritten since (a product re-issued, a download completed)
    // is a new input. A record without the stamp cannot tell.
    if (!kindsMade || !report.stamp || report.stamp != stamp_of(input)) return nullptr;
    const bool allThere = std::all_of(report.outputs.begin(), report.outputs.end(), [this](const auto& output) {
        std::error_code ec;
        const fs::path here = outputFolder_ / fs::path(output.path).filename();
        return fs::is_regular_file(here, ec) && fs::file_size(here, ec) == output.bytes && !ec;
    });
    return allThere ? &report : nullptr;
}

} // namespace vardane
