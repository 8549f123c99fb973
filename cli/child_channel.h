#pragma once

#include <optional>
#include <string>
#include <variant>

#include "app/driver/run_event.h"

// How a child process of a parallel run reports to its parent: one record a
// line on its standard output, a log line or an event, so that the parent
// shows the log exactly and counts the events, never the wording.
std::string encode_log_record(const std::string& text);
std::string encode_event_record(const run_event& event);

// A log line or an event; nothing for a line that is no record (a library
// printing on the child's standard output).
using child_record = std::variant<std::string, run_event>;
std::optional<child_record> decode_record(const std::string& line);
