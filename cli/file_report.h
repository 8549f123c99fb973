#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/input_stamp.h"

namespace vardane {

// What became of one input file of a run, as one line of a JSON Lines
// report, for workflow engines and for resuming a batch.
struct file_report {
    struct output {
        std::string path;
        std::uintmax_t bytes = 0;
    };
    struct failure {
        std::string line;  // the log line that told it
        std::string cause; // why, in the words of the library or system that refused
        std::string file;  // the file it concerns: the output being made, or the input
    };

    std::string input;                // full path
    std::optional<input_stamp> stamp; // the input's when its conversion began
    std::string kind;                 // product kind, kNotProduct, or empty when never recognised
    std::vector<std::string> asked;   // output kinds the run was asked for
    std::vector<output> outputs;
    std::vector<failure> failures;
    double seconds = 0;
    bool cancelled = false;
    bool skipped = false; // finished by an earlier run; outputs are that run's

    static constexpr const char* kNotProduct = "not a product";
};

// The record as one line of JSON, without the line feed. The paths (input,
// outputs, the failures' files) are exact: when one is not UTF-8 they are
// all written byte for byte (see byte_names.h) and "byte_names" is true.
std::string to_json_line(const file_report& report);
// Nothing for a line that is not such a record (a line cut off by a crash).
std::optional<file_report> from_json_line(const std::string& line);

// How a report names an input: its full path, normalised ("a/./b" is "a/b"),
// so that runs given the same file in other words find its record.
std::string input_key(const std::string& path);

} // namespace vardane
