#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "output/geotiff_style.h"

namespace vardane {

// The four output kinds ticked for a run.
struct output_switches {
    bool geotiff = false;
    bool kmz = false;
    bool tiffText = false;
    bool netcdf = false;
};

// Everything one run needs to know, handed over whole when it starts: the
// driver keeps its own copy, so nothing the caller changes afterwards
// reaches a running worker.
struct run_request {
    // Product files in the order they are converted.
    std::vector<std::string> inputs;
    // Output folder as typed: surrounding blanks are ignored.
    std::string outputFolder;
    // Private folder where outputs are written before they are moved; made
    // when missing, emptied at the start and end of the run.
    std::filesystem::path workFolder;
    // Relative inputs, output and working folders are taken relative to this
    // folder; empty means the current directory when the run starts.
    std::filesystem::path baseFolder;
    output_switches switches;
    geotiff_style geotiff;
    // Pause between pipeline stages, in milliseconds.
    std::int32_t paceMs = 100;
};

} // namespace vardane
