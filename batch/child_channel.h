#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "driver/run_event.h"

namespace vardane {

// How a worker process and the parent of a command-line run talk: one record
// a line, so that the parent shows the log exactly and counts the events,
// never the wording.
//
// Worker to parent: a log line, an event, the start of the next file of the
// task, or the end of the task.
struct file_started {
    std::string path;
};
struct task_ended {
    bool completed = false; // the driver's run ended with its "Completed." line
    // The worker takes no further task: a file failed for want of memory,
    // and what the libraries kept of it could starve the next file.
    bool retiring = false;
};
using child_record = std::variant<std::string, run_event, file_started, task_ended>;

std::string encode_record(const child_record& record);
// Nothing for a line that is no record.
std::optional<child_record> decode_record(const std::string& line);

// Parent to worker: the files of one task.
std::string encode_task(const std::vector<std::string>& files);
std::vector<std::string> decode_task(const std::string& line);

} // namespace vardane
