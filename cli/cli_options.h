#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_options.h"
#include "driver/run_request.h"

namespace vardane {

// What the command line asked for.
struct cli_options {
    std::vector<std::string> inputs;
    std::string output; // blanks around it trimmed
    output_switches kinds;
    geotiff_profile profile = geotiff_profile::plain; // --geotiff-profile
    // --nodata / --no-nodata; unset: nodata_by_default(profile).
    std::optional<bool> nodata;
    polar_grid polarGrid = polar_grid::quick_look; // --polar-grid
    std::string settingsFile;                      // empty: the window's settings file
    std::string filesFrom;                         // a list of inputs, one a line; "-" is standard input
    int shardIndex = 0;                            // --shard K/N: this run takes shard K of N
    int shardCount = 1;
    std::string reportFile; // one JSON line per input file is appended here
    bool skipExisting = false;
    // After the run, a VRT per output name and grid over this run's GeoTIFFs.
    bool mosaic = false;
    int jobs = 1;
    int paceMs = 0;
    std::optional<int> fileTimeout; // --file-timeout SECONDS (0: none); unset: by size and outputs
    // Address-space limit of each worker in bytes, 0 for none; nothing:
    // default_memory_limit(jobs).
    std::optional<std::uint64_t> maxMemory;
    bool quiet = false;
    bool verbose = false; // the libraries' own messages reach standard error
    bool help = false;
    bool version = false;
    bool listOptions = false;
};

struct cli_parse_result {
    cli_options options;
    std::string error; // empty when the command line is usable
};

cli_parse_result parse_command_line(const std::vector<std::string>& args);

// The usage text of --help.
const char* usage_text();

// The labels of the output kinds asked for ("GeoTIFF", "KMZ", "TIFF+TEXT",
// "NetCDF"), in that order.
std::vector<std::string> asked_kinds(const output_switches& kinds);

// The batch's share of the options: what the workers convert with; the
// cancel signals are the command line's own.
batch_options batch_options_of(const cli_options& options);

} // namespace vardane
