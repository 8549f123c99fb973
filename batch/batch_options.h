#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "driver/run_request.h"

namespace vardane {

// What a batch of worker processes is asked to do; each front end fills it
// from its own controls.
struct batch_options {
    std::string output; // the output folder
    output_switches kinds;
    geotiff_style geotiff;
    int jobs = 1; // at most this many workers at once
    // Address-space limit of each worker in bytes, 0 for none; nothing:
    // default_memory_limit(jobs).
    std::optional<std::uint64_t> maxMemory;
    std::optional<int> fileTimeout; // seconds a file may take (0: none); unset: by size and outputs
    int paceMs = 0;
    bool verbose = false; // the libraries' own messages reach standard error
    // The settings file a started program loads; empty: the built-in
    // settings. A forked worker converts with its parent's settings instead.
    std::string settingsFile;
    // SIGINT, SIGTERM and SIGHUP cancel the batch (see signal_gate.h); for
    // a program that owns its signals, as the command line does.
    bool cancelOnSignals = false;
};

// How many output kinds `kinds` asks for.
int kinds_asked(const output_switches& kinds);

} // namespace vardane
