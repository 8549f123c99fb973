#pragma once

#include <string>

#include "util/failure.h"

namespace vardane {

// What happened in a run, as facts a front end can count, beside the log
// lines that tell the user: counting never depends on message wording.
enum class run_event_type {
    recognised,     // an input file is a product and is being converted
    not_product,    // an input file is not a product
    output_created, // a file arrived in the output folder
    failure,        // something the run was asked for could not be made
    cancelled,      // the run stopped at a cancel request
};

struct run_event {
    run_event_type type;
    // Output kind ("GeoTIFF", "KMZ", "TIFF", "NetCDF", "Information") of an
    // output or failure; empty where no single kind applies.
    std::string kind;
    // The input file (recognised, not_product, failure) or the output file
    // (output_created), as a full path.
    std::string path;
    // Of a failure: the file it concerns (the output being made, or the
    // input itself) and the cause in the words of the library or system
    // that refused; empty for other events.
    failure why;
};

} // namespace vardane
