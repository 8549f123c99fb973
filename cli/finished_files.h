#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/file_report.h"

namespace vardane {

// The files an earlier run finished, from its report. A file counts as
// finished when its record says it ended without a failure or cancel, for
// every output kind asked now (and perhaps more), the input still has the
// size and modification time it had then, and every output it recorded is
// still in the output folder with its recorded size. Outputs only ever
// arrive whole, and a record is written only once its file has ended, so a
// file cut off by a kill has no record and is converted again.
class finished_files {
public:
    finished_files(std::map<std::string, file_report> earlier, std::vector<std::string> asked,
                   std::filesystem::path outputFolder);

    // The earlier record of `input` when it was finished; nullptr otherwise.
    const file_report* finished(const std::string& input) const;

private:
    std::map<std::string, file_report> earlier_; // by normalised full path
    std::vector<std::string> asked_;
    std::filesystem::path outputFolder_;
};

} // namespace vardane
