#pragma once

#include <string>

// What a run's log lines say about it, counted line by line; the same
// counting serves a run in this process and the log of a child process.
enum class line_class { ordinary, product, not_product, output, failure, cancel };

line_class classify_line(const std::string& line);

struct run_tally {
    int files = 0;
    int products = 0;
    int notProducts = 0;
    int outputs = 0;
    int failures = 0;
    bool cancelled = false;
    bool completed = true; // every run ended with its "Completed." line

    // Counts one log line; returns its class.
    line_class add(const std::string& line);
    void merge(const run_tally& other);
    // 0 all products converted, 1 otherwise.
    int exit_status() const;
    std::string summary() const;
};
