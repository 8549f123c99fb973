#include "batch/lost_file.h"

#include "batch/worker_process.h"

namespace vardane {

lost_file crashed_in(const std::string& path, const std::string& ending) { return {path, crash_line(ending), ending}; }

lost_file timed_out_in(const std::string& path, std::chrono::seconds limit)
{
    const std::string text = "timed out after " + std::to_string(limit.count()) + " s";
    return {path, text, text};
}

} // namespace vardane
